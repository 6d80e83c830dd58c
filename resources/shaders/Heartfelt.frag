#version 330
// Looking out through a rainy window pane. Drops run down the glass in little jerks,
// leaving trails of droplets and clear streaks in the mist; tiny beads come and go;
// each drop acts as a lens on the picture behind the glass (iChannel0). Now and then
// lightning flickers; the view zooms in and out very slowly, with a vignette.
// The pointer's x shifts the animation time; while the pointer is set its y sets how
// much rain there is. The drops and the mist ask for coarser levels of the picture;
// without mipmaps those read the sharp picture.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform sampler2D iChannel0;
uniform float qt_Opacity;

uint mixBits(uint x)
{
    x ^= x >> 16;
    x *= 0x21f0aaadU;
    x ^= x >> 15;
    x *= 0xd35a2d97U;
    x ^= x >> 15;
    return x;
}

vec3 random3(vec2 cell)
{
    uvec2 q = uvec2(ivec2(cell));
    uint h = mixBits(q.x * 0x9e3779b1U ^ mixBits(q.y + 0x7f4a7c15U));
    uint h2 = mixBits(h + 0x165667b1U);
    return vec3(float(h & 0xffffu), float(h >> 16), float(h2 & 0xffffu)) * (1.0 / 65536.0);
}

// Coverage of a round drop of the given radius at a distance from its centre.
float disc(float dist, float radius)
{
    return radius > 1e-4 ? smoothstep(radius, radius * 0.7, dist) : 0.0;
}

// One layer of running drops. Returns in xy the position inside the drop under the
// pixel (-1..1 across it, weighted by its coverage) and in z how much the glass is
// cleared of mist.
vec3 runningDrops(vec2 st, float t, float scale, float amount, float seed)
{
    vec2 grid = vec2(scale, scale * 0.5);           // cells twice as tall as wide
    vec2 q = st * grid;
    float column = floor(q.x);
    vec3 colRandom = random3(vec2(column, seed));
    q.y += colRandom.x * 7.0;                        // columns out of step with each other
    vec2 cell = floor(q);
    vec3 r = random3(cell + vec2(seed * 13.0, 0.0));
    vec2 local = (fract(q) - 0.5) * vec2(1.0, 2.0); // square units of one cell width
    if (r.z > amount)
        return vec3(0.0);

    // Stick-and-slip: the drop hesitates, then slides on; one pass per cell and period.
    float speed = 0.12 + 0.1 * r.y;
    float phase = fract(t * speed + r.x);
    float slide = phase + 0.11 * sin(phase * 6.2831853 * 3.0) + 0.05 * sin(phase * 6.2831853 * 7.0);
    vec2 centre = vec2((r.x - 0.5) * 0.5, 0.85 - 1.7 * slide);
    centre.x += 0.08 * sin(centre.y * 5.0 + r.y * 6.28);
    float fadeIn = smoothstep(0.0, 0.08, phase) * smoothstep(1.0, 0.9, phase);

    vec2 d = local - centre;
    float radius = (0.13 + 0.06 * r.y) * fadeIn;
    vec2 shape = d * vec2(1.0, d.y > 0.0 ? 0.8 : 1.1);   // a little pointed at the top
    float dist = length(shape);
    float drop = disc(dist, radius);

    // Trail above the drop: a cleared streak with a row of small beads in it.
    float above = smoothstep(-0.02, 0.05, d.y) * smoothstep(1.2, 0.1, d.y);
    float trailWidth = radius * 0.6;
    float streak = smoothstep(trailWidth, trailWidth * 0.3, abs(local.x - centre.x)) * above;
    float beadRow = (fract(local.y * 7.0 + r.x * 3.0) - 0.5) / 7.0;
    vec2 beadD = vec2(local.x - centre.x, beadRow);
    float beadRadius = 0.035 * (1.0 - 0.6 * clamp(d.y, 0.0, 1.0)) * step(0.06, d.y);
    float bead = disc(length(beadD), beadRadius) * above;

    vec2 inside = shape / max(radius, 1e-3) * drop + beadD / max(beadRadius, 1e-3) * bead;
    return vec3(inside, max(max(drop, bead), streak * 0.8));
}

// Small beads that condense on the glass and fade away again.
vec3 beads(vec2 st, float t, float amount)
{
    vec2 q = st * 26.0;
    vec2 cell = floor(q);
    vec3 r = random3(cell + vec2(401.0, 77.0));
    vec2 d = fract(q) - 0.5 - (r.xy - 0.5) * 0.6;
    float life = fract(t * (0.05 + 0.08 * r.z) + r.x);
    float radius = 0.22 * (0.4 + r.y) * smoothstep(1.0, 0.6, life) * step(r.z, 0.25 + 0.6 * amount);
    float bead = disc(length(d), radius);
    return vec3(d / max(radius, 1e-3) * bead * 0.6, bead);
}

// The picture behind the glass, upright, covering the view without being stretched.
vec3 scenery(vec2 screenUv, float lod)
{
    vec2 size = vec2(textureSize(iChannel0, 0));
    vec2 uv = screenUv;
    if (size.x > 1.0 && size.y > 1.0) {
        float viewAspect = iResolution.x / max(iResolution.y, 1.0);
        float pictureAspect = size.x / size.y;
        if (viewAspect > pictureAspect)
            uv.y = 0.5 + (uv.y - 0.5) * pictureAspect / viewAspect;
        else
            uv.x = 0.5 + (uv.x - 0.5) * viewAspect / pictureAspect;
    }
    // The host's picture is mirrored and its first row is at the top.
    vec3 col = textureLod(iChannel0, vec2(1.0 - uv.x, 1.0 - uv.y), lod).rgb;
    // Without a picture: a dim dusk behind the glass.
    vec3 dusk = mix(vec3(0.05, 0.06, 0.1), vec3(0.18, 0.14, 0.2), screenUv.y);
    return size.x > 1.0 ? col : dusk;
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 uv = fragCoord / iResolution.xy;
    float t = mod(iTime, 3600.0);
    float amount = 0.75;
    if (iMouse.x > 0.0 || iMouse.y > 0.0)
        t += clamp(iMouse.x / iResolution.x, 0.0, 1.0) * 30.0;
    if (iMouse.z > 0.0)
        amount = clamp(iMouse.y / iResolution.y, 0.0, 1.0);

    // Slow zoom about the centre.
    float zoom = 0.92 - 0.06 * sin(t * 0.04);
    vec2 centred = (uv - 0.5) * zoom;
    vec2 st = centred * vec2(iResolution.x / iResolution.y, 1.0);

    vec3 big = runningDrops(st, t, 4.0, amount, 1.0);
    vec3 small = runningDrops(st + vec2(0.37, 0.11), t * 1.2, 8.0, amount, 2.0);
    vec3 tiny = beads(st, t, amount);

    vec2 lens = big.xy + small.xy + tiny.xy;
    float cover = clamp(max(big.z, max(small.z, tiny.z)), 0.0, 1.0);
    float drop = clamp(length(lens), 0.0, 1.0);

    // A drop shows a small upside-down view of what lies behind it.
    vec2 viewUv = 0.5 + centred;
    vec3 sharp = scenery(viewUv - lens * 0.05, 1.5);
    // Misted glass: the view pales and loses contrast where nothing has run down it.
    vec3 misty = scenery(viewUv, 5.0);
    misty = mix(misty, vec3(dot(misty, vec3(0.3, 0.5, 0.2))), 0.45) * 0.7 + vec3(0.09, 0.095, 0.11);
    vec3 col = mix(misty, sharp, cover);
    // Drop shading: a darker rim where the glass bends the light away, and a highlight.
    float rim = smoothstep(0.45, 1.0, drop * drop) * cover;
    col *= 1.0 - 0.55 * rim;
    vec2 glint = lens - vec2(-0.35, 0.45) * cover;
    col += 0.45 * cover * exp(-dot(glint, glint) * 18.0) * step(0.05, drop);

    // Lightning: a flash every few seconds, irregular, with a quick second flicker.
    float beat = t / 7.3;
    vec3 rl = random3(vec2(floor(beat), 5.0));
    float since = fract(beat) * 7.3 - rl.x * 3.0;
    float flash = since > 0.0 ? exp(-since * 9.0) + 0.6 * exp(-abs(since - 0.18) * 30.0) : 0.0;
    flash *= step(0.35, rl.y);
    col *= 1.0 + flash * vec3(1.2, 1.3, 1.6);

    // Vignette.
    vec2 v = uv - 0.5;
    col *= 1.0 - 0.9 * dot(v, v);

    col += (random3(fragCoord + 99.0).x - 0.5) / 255.0;
    fragColor = vec4(clamp(col, 0.0, 1.0), 1.0);
}
