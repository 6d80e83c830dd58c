#version 330
// A slowly turning field of stars in five depth layers drifting towards the viewer.
// Each layer is a grid with one star per cell; a layer grows from far to near and is
// reborn far away with new stars, so the flight never ends. Bright stars carry a
// four-pointed flare.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform float qt_Opacity;

const int LAYERS = 5;

vec4 hash42(vec2 p)
{
    vec4 q = fract(vec4(p.xyxy) * vec4(0.1031, 0.1030, 0.0973, 0.1099));
    q += dot(q, q.wzxy + 33.33);
    return fract((q.xxyz + q.yzzw) * q.zywx);
}

vec3 starLayer(vec2 uv, float depth, float seed)
{
    float scale = mix(26.0, 1.6, depth);
    vec2 p = uv * scale + seed * vec2(17.31, 29.17);
    vec2 cell = floor(p);
    vec2 f = fract(p) - 0.5;
    vec4 h = hash42(cell + seed * 13.7);
    // fewer stars close up: skip some cells
    if (h.w < 0.4)
        return vec3(0.0);
    vec2 d = f - (h.xy - 0.5) * 0.5;
    float r = dot(d, d);
    float size = mix(0.0006, 0.0030, h.z * h.z);
    float core = size / (r + size * 0.35) * exp(-r * 110.0);
    float flare = 0.0;
    if (h.w > 0.86) {
        vec2 a = abs(d);
        flare = (exp(-a.x * 90.0) * exp(-a.y * 9.0) + exp(-a.y * 90.0) * exp(-a.x * 9.0)) * (h.w - 0.86) * 6.0;
    }
    // keep each star inside its own cell
    vec2 edge = abs(f);
    float window = smoothstep(0.5, 0.32, max(edge.x, edge.y));
    vec3 tint = mix(vec3(0.65, 0.78, 1.0), vec3(1.0, 0.82, 0.62), h.y);
    tint = mix(tint, vec3(1.0), 0.35);
    return tint * (core + flare) * window;
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 uv = (fragCoord - 0.5 * iResolution.xy) / max(iResolution.y, 1.0);

    float t = mod(iTime, 6000.0);
    float angle = t * 0.025;
    float c = cos(angle), s = sin(angle);
    uv = mat2(c, s, -s, c) * uv;

    vec3 col = vec3(0.0);
    float travel = t * 0.045;
    for (int i = 0; i < LAYERS; ++i) {
        float phase = travel + float(i) / float(LAYERS);
        float depth = fract(phase);
        float seed = floor(phase) + float(i) * 7.0;
        float fade = smoothstep(0.0, 0.35, depth) * smoothstep(1.0, 0.88, depth);
        col += starLayer(uv, depth, seed) * fade * (0.35 + depth);
    }

    // faint deep-space haze
    float r = length(uv);
    col += vec3(0.018, 0.022, 0.05) * (1.0 - smoothstep(0.0, 1.0, r));
    col = 1.0 - exp(-col * 1.2);

    // dither against banding in the haze
    col += (fract(sin(dot(fragCoord, vec2(12.9898, 78.233))) * 43758.5453) - 0.5) / 255.0;
    fragColor = vec4(col, 1.0);
}
