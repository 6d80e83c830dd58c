#version 330
// A small, slowly turning cloud of blue-green light. Six samples along each view ray
// through a bounding sphere gather the glow of a wavy shell whose folds drift through
// it. The pointer's x scales the speed of the turning, its y the speed of the drift.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform float qt_Opacity;

const int STEPS = 6;
const float BOUND = 0.95;

mat3 turn(float a, float b)
{
    float ca = cos(a), sa = sin(a), cb = cos(b), sb = sin(b);
    return mat3(ca, 0.0, -sa, 0.0, 1.0, 0.0, sa, 0.0, ca)
         * mat3(1.0, 0.0, 0.0, 0.0, cb, sb, 0.0, -sb, cb);
}

// Distance to a thin, folded shell of light, and a phase that colours it.
vec2 shell(vec3 p, float drift, vec3 sheetNormal)
{
    float folds = sin(p.x * 3.1 + sin(p.y * 2.3 + drift))
                + sin(p.y * 3.4 + sin(p.z * 2.6 - drift * 1.3))
                + sin(p.z * 3.7 + sin(p.x * 2.1 + drift * 0.7));
    float r = length(p);
    float wall = abs(r - 0.62 - 0.1 * folds);
    // A second, inner sheet that twists the other way.
    float sheet = abs(dot(p, sheetNormal) + 0.12 * folds * r);
    return vec2(min(wall, sheet + max(r - 0.6, 0.0)), folds);
}

// Per-pixel dither value in [0, 1).
float grain(vec2 fragCoord)
{
    vec2 q = fract(fragCoord * vec2(0.1377, 0.2753) + vec2(0.419, 0.283));
    q += dot(q, q.yx + 21.71);
    return fract(q.x * q.y * 3.17);
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 uv = (fragCoord - 0.5 * iResolution.xy) / iResolution.y;
    float t = mod(iTime, 3000.0);

    vec2 speed = vec2(1.0);
    if (iMouse.x > 0.0 || iMouse.y > 0.0)
        speed = 0.2 + 1.8 * clamp(iMouse.xy / iResolution.xy, 0.0, 1.0);
    float turnAngle = t * 0.23 * speed.x;
    float drift = t * 0.6 * speed.y;
    mat3 rot = turn(turnAngle, turnAngle * 0.61 + 0.4);

    vec3 ro = vec3(0.0, 0.0, -5.2);
    vec3 rd = normalize(vec3(uv, 1.9));

    // Background: a faint deep-sea gradient with a halo behind the cloud.
    float r = length(uv);
    vec3 col = mix(vec3(0.006, 0.018, 0.03), vec3(0.0, 0.004, 0.012), clamp(r * 1.2, 0.0, 1.0));
    col += vec3(0.02, 0.08, 0.1) * exp(-r * r * 14.0);

    // March from where the ray meets the bounding sphere, gathering the glow of the
    // shell the closer the ray passes to it.
    float b = dot(ro, rd);
    float c = dot(ro, ro) - BOUND * BOUND;
    float h = b * b - c;
    if (h > 0.0) {
        float dist = -b - sqrt(h);
        vec3 glow = vec3(0.0);
        vec3 sheetNormal = normalize(vec3(sin(drift * 0.4), 1.0, cos(drift * 0.3)));
        float sweep = cos(drift * 0.3);     // slowly swaps which folds are green and which blue
        for (int i = 0; i < STEPS; ++i) {
            vec3 p = rot * (ro + rd * dist);
            vec2 s = shell(p, drift, sheetNormal);
            vec3 tint = mix(vec3(0.05, 0.65, 0.5), vec3(0.15, 0.4, 1.0), clamp(0.5 + 0.3 * s.y * sweep, 0.0, 1.0));
            float fade = smoothstep(BOUND, 0.55, length(p));
            glow += tint * (0.012 / (0.012 + s.x * s.x * 8.0)) * fade;
            dist += max(s.x * 0.8, 0.12);
        }
        col += glow * 0.35;
    }

    col = 1.0 - exp(-col * 1.6);
    col += (grain(fragCoord) - 0.5) / 255.0;
    fragColor = vec4(max(col, 0.0), 1.0);
}
