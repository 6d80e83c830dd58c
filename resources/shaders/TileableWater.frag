#version 330
// Sunlight caustics on the floor of a shallow pool, in turquoise. Two cell networks
// (the gap between the nearest and second-nearest moving feature point) drift across a
// gently warped floor; where their bright seams cross, light gathers. Every frequency
// fits the tile, so the pattern tiles seamlessly. Pointer: shifts the pattern, and its
// x speeds the water up.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform float qt_Opacity;

const float TAU = 6.28318530718;

vec2 hash22(vec2 p)
{
    vec3 q = fract(vec3(p.xyx) * vec3(0.1031, 0.1030, 0.0973));
    q += dot(q, q.yzx + 33.33);
    return fract((q.xx + q.yz) * q.zy);
}

// Seam brightness of a cell network with n cells per tile; p in tile units.
float seams(vec2 p, float n, float t, float seed)
{
    vec2 g = p * n;
    vec2 cell = floor(g);
    vec2 f = g - cell;
    float f1 = 8.0, f2 = 8.0;
    for (int y = -1; y <= 1; ++y) {
        for (int x = -1; x <= 1; ++x) {
            vec2 o = vec2(float(x), float(y));
            vec2 h = hash22(mod(cell + o, n) + seed);
            vec2 point = o + 0.5 + 0.38 * sin(t * (0.6 + 0.5 * h) + TAU * h);
            float d = dot(point - f, point - f);
            if (d < f1) {
                f2 = f1;
                f1 = d;
            } else if (d < f2) {
                f2 = d;
            }
        }
    }
    float edge = sqrt(f2) - sqrt(f1);
    return exp(-edge * 8.0);
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 res = max(iResolution.xy, vec2(1.0));
    vec2 mouse = clamp(iMouse.xy / res, 0.0, 1.0);

    float speed = 1.0 + 1.5 * mouse.x;
    // wrapped once a day to keep the phases precise
    float t = mod(iTime, 86400.0) * speed * 0.9;

    vec2 uv = fragCoord / res.y * 0.75 + mouse * vec2(0.6, 0.45);
    // warp with whole-tile frequencies: the tile still fits after warping
    vec2 w = vec2(sin(TAU * (uv.y * 2.0) + t * 0.35), cos(TAU * (uv.x * 3.0) - t * 0.3)) * 0.025;
    vec2 p = uv + w;

    float a = seams(p, 5.0, t, 0.0);
    float b = seams(p + vec2(0.37, 0.21), 7.0, -t * 0.8 + 3.0, 17.0);
    float light = 0.45 * a + 0.35 * b + 1.1 * a * b;

    vec3 deep = vec3(0.0, 0.23, 0.30);
    vec3 shallow = vec3(0.02, 0.48, 0.55);
    vec3 col = mix(deep, shallow, 0.5 + 0.5 * sin(TAU * (uv.x + uv.y) + t * 0.2) * 0.4);
    col += vec3(0.35, 0.85, 0.80) * light;
    col += vec3(0.55, 0.45, 0.35) * pow(a * b, 3.0);   // warm sparkle where the seams meet
    col = 1.0 - exp(-col * 1.25);

    col += (fract(sin(dot(fragCoord, vec2(12.9898, 78.233))) * 43758.5453) - 0.5) / 255.0;
    fragColor = vec4(col, 1.0);
}
