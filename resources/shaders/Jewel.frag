#version 330
// A polished jewel sphere wrapped in slowly flowing bands of colour, floating in a field
// of stars that it mirrors. The camera starts close and backs away over the first 17 s;
// the pointer turns the view, otherwise the camera drifts round by itself.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform float qt_Opacity;

uint mixBits(uint x)
{
    x ^= x >> 16;
    x *= 0x7a3c9b45U;
    x ^= x >> 13;
    x *= 0xc3d5e8a1U;
    x ^= x >> 16;
    return x;
}

float random3(vec3 cell)
{
    uvec3 q = uvec3(ivec3(cell));
    return float(mixBits(q.x ^ mixBits(q.y ^ mixBits(q.z + 0x5bd1e995U)))) * (1.0 / 4294967296.0);
}

float random2(vec2 cell)
{
    uvec2 q = uvec2(ivec2(cell));
    return float(mixBits(q.x * 0x9e3779b1U ^ mixBits(q.y + 0x27d4eb2fU))) * (1.0 / 4294967296.0);
}

float valueNoise(vec3 p)
{
    vec3 i = floor(p);
    vec3 f = fract(p);
    f = f * f * (3.0 - 2.0 * f);
    vec2 e = vec2(0.0, 1.0);
    float a = mix(random3(i + e.xxx), random3(i + e.yxx), f.x);
    float b = mix(random3(i + e.xyx), random3(i + e.yyx), f.x);
    float c = mix(random3(i + e.xxy), random3(i + e.yxy), f.x);
    float d = mix(random3(i + e.xyy), random3(i + e.yyy), f.x);
    return mix(mix(a, b, f.y), mix(c, d, f.y), f.z);
}

// Stars on a direction: the direction is projected onto the face of a cube, whose faces
// carry a grid with at most one star per cell.
vec3 starField(vec3 dir)
{
    vec3 a = abs(dir);
    float major = max(a.x, max(a.y, a.z));
    vec2 face;
    float faceId;
    if (major == a.x) { face = dir.yz / a.x; faceId = sign(dir.x); }
    else if (major == a.y) { face = dir.xz / a.y; faceId = 2.0 + sign(dir.y); }
    else { face = dir.xy / a.z; faceId = 4.0 + sign(dir.z); }
    vec3 col = vec3(0.0);
    for (int layer = 0; layer < 2; ++layer) {
        float scale = layer == 0 ? 38.0 : 90.0;
        vec2 q = face * scale + faceId * 97.0;
        vec2 cell = floor(q);
        float r = random2(cell + float(layer) * 311.0);
        vec2 centre = vec2(random2(cell + 17.0), random2(cell + 41.0)) * 0.7 + 0.15;
        float d = length(fract(q) - centre);
        float bright = pow(r, 14.0) * (layer == 0 ? 3.0 : 1.4);
        vec3 tint = mix(vec3(1.0, 0.8, 0.6), vec3(0.6, 0.75, 1.0), random2(cell + 7.0));
        col += tint * bright * smoothstep(0.16, 0.0, d);
    }
    // A faint band of milky light across the sky.
    col += vec3(0.03, 0.025, 0.05) * exp(-abs(dot(dir, normalize(vec3(0.3, 1.0, 0.2)))) * 6.0);
    return col;
}

// The flowing bands on the jewel, for a point of its surface: layered stripes whose
// course is bent by slowly moving noise, with a thin bright seam between layers.
vec3 bands(vec3 n, float t)
{
    vec3 q = n * 1.6;
    float warp = valueNoise(q + vec3(t * 0.07, t * 0.03, -t * 0.04)) * 1.6
               + valueNoise(q * 2.7 - vec3(0.0, t * 0.09, t * 0.02)) * 0.6;
    float phase = (n.y + 0.35 * n.x) * 2.6 + warp * 1.8 - t * 0.06;
    float layer = fract(phase);
    float seam = exp(-abs(layer - 0.5) * 22.0);
    float shade = 0.5 - 0.5 * cos(phase * 6.2831853);           // dark at the seams' far side
    vec3 deep = 0.5 + 0.5 * cos(vec3(3.6, 5.2, 1.5) + phase * 1.3);
    deep = mix(vec3(0.02, 0.04, 0.2), deep * vec3(0.75, 0.6, 1.0), 0.3 + 0.55 * shade);
    vec3 bright = mix(vec3(0.35, 0.95, 0.9), vec3(1.0, 0.8, 0.35), 0.5 + 0.5 * sin(phase * 0.9));
    return deep + bright * seam * 0.9;
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 uv = (fragCoord - 0.5 * iResolution.xy) / iResolution.y;
    float t = mod(iTime, 1200.0);

    float yaw = 0.6 + t * 0.07;
    float pitch = 0.25 + 0.15 * sin(t * 0.05);
    if (iMouse.x > 0.0 || iMouse.y > 0.0) {
        vec2 m = clamp(iMouse.xy / iResolution.xy, 0.0, 1.0);
        yaw = (m.x - 0.5) * 6.2831853;
        pitch = (m.y - 0.5) * 2.6;
    }
    // The camera backs away over the first 17 s (eased at both ends).
    float away = smoothstep(0.0, 17.0, iTime);
    float distance = mix(1.9, 4.0, away);
    vec3 ro = distance * vec3(cos(pitch) * sin(yaw), sin(pitch), cos(pitch) * cos(yaw));
    vec3 forward = normalize(-ro);
    vec3 right = normalize(cross(forward, vec3(0.0, 1.0, 0.0)));
    vec3 up = cross(right, forward);
    vec3 rd = normalize(uv.x * right + uv.y * up + 1.5 * forward);

    vec3 col = starField(rd);

    float b = dot(ro, rd);
    float c = dot(ro, ro) - 1.0;
    float h = b * b - c;
    // Soft edge: within half a pixel of the silhouette blend sphere and sky.
    float pixel = 1.0 / iResolution.y;
    float edge = smoothstep(-pixel * distance, pixel * distance, h);
    if (h > -pixel * distance) {
        float dist = -b - sqrt(max(h, 0.0));
        vec3 p = ro + rd * dist;
        vec3 n = normalize(p);
        vec3 light = normalize(vec3(0.6, 0.8, 0.3));
        vec3 base = bands(n, t);
        float diffuse = max(dot(n, light), 0.0);
        vec3 refl = reflect(rd, n);
        float specular = pow(max(dot(refl, light), 0.0), 60.0);
        float fresnel = 0.08 + 0.92 * pow(1.0 - max(dot(-rd, n), 0.0), 5.0);
        vec3 surface = base * (0.25 + 0.85 * diffuse);
        surface += starField(refl) * (0.5 + fresnel) + specular * vec3(1.4, 1.3, 1.2);
        surface += fresnel * vec3(0.25, 0.3, 0.5);
        col = mix(col, surface, edge);
    }
    // A soft glow of the jewel's colour around it.
    float closest = length(cross(ro, rd));
    col += vec3(0.15, 0.12, 0.35) * 0.25 * exp(-max(closest - 1.0, 0.0) * 5.0) * step(0.0, -b);

    col = 1.0 - exp(-col * 1.2);
    col += (random2(fragCoord + 913.0) - 0.5) / 255.0;
    fragColor = vec4(max(col, 0.0), 1.0);
}
