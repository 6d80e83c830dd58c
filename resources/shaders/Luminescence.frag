#version 330
// Glowing jellyfish drifting up through dark water: each has a pulsing bell (hood)
// with a bright rim and a skirt of swaying tentacles, drawn as light gathered by rays
// marched through their bounding spheres. Behind them the water moves: light shafts
// from above and slowly sinking specks.
// The pointer turns the camera. While the pointer's x lies in the outer 5 % of the
// width on either side (0 included, so also when the pointer has left), the camera
// moves by itself.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform float qt_Opacity;

const int JELLIES = 3;
const int STEPS = 28;
const int TENTACLES = 9;

uint mixBits(uint x)
{
    x ^= x >> 16;
    x *= 0x5f356495U;
    x ^= x >> 13;
    x *= 0x8a3c9e27U;
    x ^= x >> 16;
    return x;
}

float random1(vec2 cell)
{
    uvec2 q = uvec2(ivec2(cell));
    return float(mixBits(q.x * 0x9e3779b1U ^ mixBits(q.y + 0x2545f491U)) >> 8) * (1.0 / 16777216.0);
}

// Centre, size and pulse phase of jellyfish k at time t. They rise slowly and wrap
// round from the top to the bottom of their column of water.
vec4 jelly(int k, float t)
{
    float fk = float(k);
    float rise = fract(t * (0.018 + 0.006 * fk) + fk * 0.37);
    vec3 centre = vec3(-2.2 + 2.3 * fk + 0.5 * sin(t * 0.11 + fk * 2.0),
                       mix(-4.5, 4.5, rise),
                       -0.8 + 1.6 * sin(fk * 1.9) + 0.4 * cos(t * 0.09 + fk));
    return vec4(centre, 0.8 + 0.25 * fk);
}

// Distances to the bell and to the tentacles of a jellyfish in its own frame (bell
// round the origin, opening downwards, unit size), with its pulse.
vec2 jellyShape(vec3 p, float pulse)
{
    // The bell: a thin shell, squashed and widened as it pulses, open below.
    float squeeze = 1.0 + 0.12 * pulse;
    vec3 q = p * vec3(squeeze, 1.0 / squeeze, squeeze);
    float shell = abs(length(q) - 1.0) - 0.04;
    float open = -(p.y + 0.1 - 0.25 * length(p.xz));
    float bell = max(shell, open);

    // Tentacles: folded into one sector, then a swaying line down from the rim.
    float sector = 6.2831853 / float(TENTACLES);
    float angle = atan(p.z, p.x);
    float id = floor(angle / sector + 0.5);
    float a = angle - id * sector;
    float radius = length(p.xz);
    vec2 local = vec2(radius * cos(a), radius * sin(a));
    float depth = max(-p.y, 0.0);
    float sway = 0.18 * depth * sin(depth * 2.3 - pulse * 1.5 + id * 1.7);
    vec2 strand = local - vec2(0.72 * squeeze - 0.12 * depth + sway, 0.06 * depth * cos(id * 2.1 + depth));
    float length_ = 2.2 + 0.8 * fract(id * 0.618);
    float tentacle = length(vec2(length(strand), max(max(-p.y - length_, p.y + 0.05), 0.0))) - 0.025;
    return vec2(bell, tentacle);
}

// Water behind the jellyfish: deep gradient, wavering light shafts and sinking specks.
vec3 water(vec3 rd, vec2 uv, float t)
{
    vec3 col = mix(vec3(0.0, 0.015, 0.04), vec3(0.02, 0.12, 0.2), smoothstep(-0.6, 0.8, rd.y));
    float x = uv.x + 0.3 * uv.y;
    float shafts = sin(x * 7.0 + t * 0.3) * sin(x * 11.3 - t * 0.23 + 1.0) * sin(x * 3.1 + t * 0.17);
    col += vec3(0.05, 0.18, 0.24) * max(shafts, 0.0) * smoothstep(-0.5, 0.5, uv.y);
    vec2 q = uv * 18.0 + vec2(0.0, t * 0.35);
    vec2 cell = floor(q);
    float r = random1(cell);
    vec2 centre = vec2(random1(cell + 11.0), random1(cell + 23.0)) * 0.6 + 0.2;
    float speck = step(0.8, r) * smoothstep(0.12, 0.0, length(fract(q) - centre));
    col += vec3(0.3, 0.45, 0.5) * speck * 0.5;
    return col;
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 uv = (fragCoord - 0.5 * iResolution.xy) / iResolution.y;
    float t = mod(iTime, 3000.0);

    float yaw = 0.35 * sin(t * 0.07);
    float pitch = 0.12 * sin(t * 0.05 + 1.0);
    float mx = iMouse.x / max(iResolution.x, 1.0);
    if (mx > 0.05 && mx < 0.95) {
        yaw = (mx - 0.5) * 3.0;
        pitch = (clamp(iMouse.y / iResolution.y, 0.0, 1.0) - 0.5) * 1.6;
    }
    vec3 ro = 8.0 * vec3(sin(yaw) * cos(pitch), sin(pitch), -cos(yaw) * cos(pitch));
    vec3 forward = normalize(-ro);
    vec3 right = normalize(cross(forward, vec3(0.0, 1.0, 0.0)));
    vec3 up = cross(right, forward);
    vec3 rd = normalize(uv.x * right + uv.y * up + 1.4 * forward);

    vec3 col = water(rd, uv, t);
    for (int k = 0; k < JELLIES; ++k) {
        vec4 j = jelly(k, t);
        float size = j.w;
        float bound = size * 3.4;
        // The tentacles hang below the bell: centre the bounding sphere lower.
        vec3 centre = j.xyz - vec3(0.0, size * 1.2, 0.0);
        vec3 oc = ro - centre;
        float b = dot(oc, rd);
        float h = b * b - dot(oc, oc) + bound * bound;
        if (h <= 0.0)
            continue;
        h = sqrt(h);
        float dist = max(-b - h, 0.0);
        float far = -b + h;
        float pulse = sin(t * (1.6 + 0.3 * float(k)) + float(k) * 2.0);
        vec3 hue = 0.5 + 0.5 * cos(vec3(0.0, 2.1, 4.2) + float(k) * 2.2 + 3.8);
        vec3 light = vec3(0.0);
        for (int i = 0; i < STEPS; ++i) {
            vec3 p = (ro + rd * dist - j.xyz) / size;
            vec2 s = jellyShape(p, pulse) * size;
            float rim = exp(-pow(p.y + 0.1 - 0.25 * length(p.xz), 2.0) * 60.0);
            float step_ = max(min(abs(s.x), abs(s.y)) * 0.75, 0.03 * size);
            light += hue * exp(-max(s.x, 0.0) * 30.0 / size) * (0.5 + 1.6 * rim) * step_;
            light += mix(hue, vec3(1.0, 0.6, 0.9), 0.5) * exp(-max(s.y, 0.0) * 45.0 / size) * 0.7 * step_;
            dist += step_;
            if (dist > far)
                break;
        }
        col += light * 1.3 / size;
    }

    col = 1.0 - exp(-col * 1.3);
    col += (random1(fragCoord + 5.0) - 0.5) / 255.0;
    fragColor = vec4(max(col, 0.0), 1.0);
}
