#version 330
// A flight through a field of glassy, rounded cubes, seen through a fish-eye lens whose
// rim burns with a flickering fire. The cubes are not solid: the march passes through
// them and gathers light wherever a ray runs close to a glass face, so edges and faces
// seen at a grazing angle shine and the cubes behind show through the ones in front.
// Pointer: the centre of the lens in pixels; at (0, 0) it lies in the bottom-left corner.
// The fire frames the picture whatever the lens does.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform float qt_Opacity;

const float SPACING = 4.5;

mat2 rot(float a)
{
    float c = cos(a), s = sin(a);
    return mat2(c, s, -s, c);
}

vec3 hash33(vec3 p)
{
    p = fract(p * vec3(0.1031, 0.1030, 0.0973));
    p += dot(p, p.yxz + 33.33);
    return fract((p.xxy + p.yxx) * p.zyx);
}

float hash12(vec2 p)
{
    vec3 q = fract(vec3(p.xyx) * 0.1031);
    q += dot(q, q.yzx + 33.33);
    return fract((q.x + q.y) * q.z);
}

float valueNoise(vec2 p)
{
    vec2 i = floor(p);
    vec2 f = fract(p);
    f = f * f * (3.0 - 2.0 * f);
    return mix(mix(hash12(i), hash12(i + vec2(1.0, 0.0)), f.x),
               mix(hash12(i + vec2(0.0, 1.0)), hash12(i + vec2(1.0, 1.0)), f.x), f.y);
}

// Distance to the rounded cube of p's cell; the cell's random values in h.
float field(vec3 p, float t, out vec3 h)
{
    vec3 cell = floor(p / SPACING + 0.5);
    h = hash33(cell + 19.0);
    // each cube sits off its cell's centre, so no straight lanes open up between rows
    vec3 q = p - cell * SPACING - (hash33(cell + 3.7) - 0.5) * 0.9;
    q.xy = rot(h.x * 6.2832 + t * (h.y - 0.5) * 0.8) * q.xy;
    q.yz = rot(h.z * 6.2832 + t * 0.3) * q.yz;
    float size = 0.4 + 0.25 * h.y;
    vec3 b = abs(q) - vec3(size);
    return length(max(b, 0.0)) + min(max(b.x, max(b.y, b.z)), 0.0) - 0.22;
}

vec3 glassTint(vec3 h)
{
    vec3 a = vec3(0.35, 0.75, 1.0);   // ice blue
    vec3 b = vec3(0.75, 0.45, 1.0);   // violet
    vec3 c = vec3(0.45, 1.0, 0.85);   // sea green
    return h.z < 0.4 ? a : (h.z < 0.75 ? b : c);
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 res = max(iResolution.xy, vec2(1.0));
    float t = mod(iTime, 3600.0);

    // fish-eye around the pointer: the angle from the view axis grows with the radius
    vec2 uv = (fragCoord - iMouse.xy) / res.y;
    float r = length(uv);
    float theta = r * 1.9;
    vec2 around = r > 1e-5 ? uv / r : vec2(0.0);
    vec3 local = vec3(around * sin(min(theta, 3.0)), cos(min(theta, 3.0)));

    vec3 ro = vec3(1.3 * sin(t * 0.21), 1.0 + 0.9 * cos(t * 0.17), t * 2.2);
    vec3 forward = normalize(vec3(0.25 * cos(t * 0.21), -0.2 * sin(t * 0.17), 1.0));
    vec3 right = normalize(cross(vec3(0.0, 1.0, 0.0), forward));
    vec3 up = cross(forward, right);
    local.xy = rot(t * 0.07) * local.xy;
    vec3 rd = normalize(local.x * right + local.y * up + local.z * forward);

    vec3 col = vec3(0.0);
    float s = 0.1 + 0.08 * hash12(fragCoord + fract(t) * 61.0);   // jittered start hides the step pattern
    vec3 h;
    for (int i = 0; i < 52; ++i) {
        vec3 p = ro + rd * s;
        float d = field(p, t, h);
        float ad = abs(d);
        // light gathered near the glass, fading with distance
        float near = exp(-ad * 14.0);
        col += glassTint(h) * near * (0.055 + 0.07 * step(d, 0.0)) * exp(-s * 0.085);
        s += max(ad * 0.8, 0.08);
        if (s > 40.0)
            break;
    }
    col += vec3(0.03, 0.04, 0.08) * (1.0 - exp(-s * 0.02));

    // a vignette of fire licking inwards from the edges of the picture
    vec2 v = (fragCoord - 0.5 * res) / res.y;
    float e = length(v * vec2(0.82, 1.0));
    float angle = atan(v.y, v.x);
    float flame = valueNoise(vec2(angle * 5.0 + 2.0, e * 6.0 - t * 2.4))
                + 0.5 * valueNoise(vec2(angle * 11.0 - 5.0, e * 13.0 - t * 3.7));
    float rim = smoothstep(0.5, 0.95, e + (flame - 0.75) * 0.3);
    vec3 fire = mix(vec3(0.9, 0.15, 0.02), vec3(1.0, 0.75, 0.25), smoothstep(0.6, 1.2, flame)) * rim * 1.6;
    col = col * (1.0 - 0.7 * rim) + fire;

    col = 1.0 - exp(-col * 1.2);
    col += (hash12(fragCoord) - 0.5) / 255.0;
    fragColor = vec4(clamp(col, 0.0, 1.0), 1.0);
}
