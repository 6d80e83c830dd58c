#version 330
// A young star inside a spiral disk of gas and dust, seen from a little above the disk.
// The disk is ray-marched front to back (at most 64 steps) where the view ray crosses
// both a bounding sphere and the slab that holds the disk; the star lights the gas, the
// dust between dims the star, and distant stars shine through the thin parts.
// Pointer: x turns the disk. Three keyboard texels nudge the viewing distance (black,
// when there is no keyboard, keeps the default). iChannel1, a noise picture, jitters
// the first step of every ray so the slices do not show. Output follows the item's
// opacity (premultiplied).
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform sampler2D iChannel0;
uniform sampler2D iChannel1;
uniform sampler2D iAudio;
uniform sampler2D iKeyboard;
uniform float qt_Opacity;

const float TAU = 6.28318530718;
const float DISK_RADIUS = 2.2;
const float DISK_HALF_HEIGHT = 0.55;

mat2 rot(float a)
{
    float c = cos(a), s = sin(a);
    return mat2(c, s, -s, c);
}

float hash12(vec2 p)
{
    vec3 q = fract(vec3(p.xyx) * 0.1031);
    q += dot(q, q.yzx + 33.33);
    return fract((q.x + q.y) * q.z);
}

// Smooth, cheap 3-D turbulence: sine lattices in turned frames, about -1..1.
float turbulence(vec3 p)
{
    const mat3 turn = mat3(0.00, 0.80, 0.60, -0.80, 0.36, -0.48, -0.60, -0.48, 0.64);
    float sum = 0.0, amp = 0.55;
    for (int i = 0; i < 4; ++i) {
        sum += amp * dot(sin(p), cos(p.zxy)) / 3.0;
        p = turn * p * 2.13 + 1.7;
        amp *= 0.5;
    }
    return sum;
}

float gasDensity(vec3 p, float t, out float r)
{
    r = length(p.xz);
    float angle = atan(p.z, p.x);
    // two arms winding out logarithmically, turning slowly
    float arms = 0.5 + 0.5 * cos(2.0 * angle - 4.2 * log(r + 0.08) - t * 0.12);
    arms *= arms * arms;
    float thickness = 0.05 + 0.08 * r;
    float slab = exp(-abs(p.y) / thickness);
    float extent = smoothstep(DISK_RADIUS, 0.7, r) * smoothstep(0.08, 0.35, r);
    float n = turbulence(vec3(p.x * 4.2, p.y * 6.0, p.z * 4.2) + vec3(0.0, t * 0.05, 0.0));
    // thin filaments where the turbulence crosses zero, puffy gas where it is high
    float filaments = 1.0 - min(abs(n) * 2.4, 1.0);
    float body = filaments * filaments * 1.4 + smoothstep(0.0, 0.6, n) * 0.8;
    float d = slab * extent * (0.1 + 1.6 * arms) * body * 2.2 - 0.04;
    return max(d, 0.0);
}

vec3 backgroundStars(vec2 fragCoord)
{
    vec2 cell = floor(fragCoord / 3.0);
    float h = hash12(cell);
    if (h < 0.985)
        return vec3(0.0);
    vec2 centre = (cell + 0.5 + (vec2(hash12(cell + 7.1), hash12(cell + 3.3)) - 0.5) * 1.6) * 3.0;
    float d = length(fragCoord - centre);
    float b = (h - 0.985) / 0.015;
    return mix(vec3(0.7, 0.8, 1.0), vec3(1.0, 0.85, 0.7), hash12(cell + 1.9)) * b * b * exp(-d * d * 0.8);
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 res = max(iResolution.xy, vec2(1.0));
    vec2 uv = (fragCoord - 0.5 * res) / res.y;
    float t = mod(iTime, 3600.0);

    // distance offset from three keyboard texels; all zero when nothing is bound
    float nearer = texture(iKeyboard, vec2(38.5 / 256.0, 0.25)).x;
    float farther = texture(iKeyboard, vec2(40.5 / 256.0, 0.25)).x;
    float reset = texture(iKeyboard, vec2(32.5 / 256.0, 0.75)).x;
    float distance = 4.0 + (farther - nearer) * 1.5 * (1.0 - reset);

    vec3 ro = distance * normalize(vec3(0.0, 0.5, -1.0));
    vec3 forward = normalize(-ro);
    vec3 right = normalize(cross(vec3(0.0, 1.0, 0.0), forward));
    vec3 up = cross(forward, right);
    vec3 rd = normalize(uv.x * right + uv.y * up + 1.7 * forward);

    float spin = t * 0.025 + clamp(iMouse.x / res.x, 0.0, 1.0) * TAU;
    mat2 turn = rot(spin);

    // where the ray is inside both the bounding sphere and the disk's slab
    float b = dot(ro, rd);
    float c = dot(ro, ro) - DISK_RADIUS * DISK_RADIUS;
    float disc = b * b - c;
    float t0 = 0.0, t1 = -1.0;
    if (disc > 0.0) {
        float s = sqrt(disc);
        t0 = max(-b - s, 0.0);
        t1 = -b + s;
        if (abs(rd.y) > 1e-4) {
            float ta = (DISK_HALF_HEIGHT - ro.y) / rd.y;
            float tb = (-DISK_HALF_HEIGHT - ro.y) / rd.y;
            t0 = max(t0, min(ta, tb));
            t1 = min(t1, max(ta, tb));
        }
    }

    vec2 noiseSize = max(vec2(textureSize(iChannel1, 0)), vec2(1.0));
    float jitter = texture(iChannel1, fract(fragCoord / noiseSize)).x;

    vec3 light = vec3(0.0);
    float transmittance = 1.0;
    float starTransmittance = 1.0;
    float closest = -b;               // along the ray, nearest point to the star
    if (t1 > t0) {
        const int STEPS = 64;
        float dt = (t1 - t0) / float(STEPS);
        float s = t0 + dt * jitter;
        for (int i = 0; i < STEPS; ++i) {
            if (s > t1 || transmittance < 0.02)
                break;
            vec3 p = ro + rd * s;
            p.xz = turn * p.xz;
            float r;
            float d = gasDensity(p, t, r);
            if (d > 0.0) {
                float lit = 1.0 / (0.06 + r * r * 1.6 + p.y * p.y * 6.0);
                // white-hot near the star, rose further out, blue at the rim
                vec3 gas = mix(vec3(1.0, 0.66, 0.38), vec3(0.95, 0.32, 0.55), smoothstep(0.3, 0.9, r));
                gas = mix(gas, vec3(0.3, 0.45, 1.0), smoothstep(0.9, 1.8, r));
                float a = 1.0 - exp(-d * dt * 7.0);
                light += transmittance * a * gas * (0.14 + 0.4 * lit);
                transmittance *= 1.0 - a;
            }
            if (s < closest)
                starTransmittance = transmittance;
            s += dt;
        }
    }

    // the star: a hot core with a broad halo and four faint rays
    float miss2 = max(dot(ro, ro) - b * b, 0.0);
    vec3 star = vec3(1.0, 0.93, 0.85) * (0.0035 / (miss2 + 0.0012) + 0.06 / (miss2 * 6.0 + 0.05));
    vec2 sp = uv - vec2(0.0, 0.0);
    float rays = exp(-abs(sp.x) * 160.0) * exp(-abs(sp.y) * 9.0) + exp(-abs(sp.y) * 160.0) * exp(-abs(sp.x) * 7.0);
    star += vec3(0.8, 0.85, 1.0) * rays * 0.35 * (0.9 + 0.1 * sin(t * 3.0));
    star *= starTransmittance;

    vec3 col = light + star + backgroundStars(fragCoord) * transmittance;
    col += vec3(0.02, 0.015, 0.04) * (1.0 - smoothstep(0.0, 1.2, length(uv)));
    col = 1.0 - exp(-col * 1.3);
    col += (jitter - 0.5) / 255.0;
    col = clamp(col, 0.0, 1.0);
    fragColor = vec4(col * qt_Opacity, qt_Opacity);
}
