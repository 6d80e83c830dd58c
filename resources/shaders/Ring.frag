#version 330
// Two fiery half-rings facing each other like a pair of brackets. The flames are value
// noise laid out in polar coordinates around the centre, flowing outwards from an
// inner rim; the right half is mirrored onto the left. The colour is meant to be added
// onto whatever lies beneath (alpha 0). Pointer: x widens the inner radius, y sets how
// hot the flames glow; at rest (pointer away) both take their middle values.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform sampler2D iAudio;
uniform float qt_Opacity;

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
    float a = hash12(i);
    float b = hash12(i + vec2(1.0, 0.0));
    float c = hash12(i + vec2(0.0, 1.0));
    float d = hash12(i + vec2(1.0, 1.0));
    return mix(mix(a, b, f.x), mix(c, d, f.x), f.y);
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 res = max(iResolution.xy, vec2(1.0));
    vec2 p = (fragCoord - 0.5 * res) / res.y;

    bool hovering = iMouse.x > 0.0 || iMouse.y > 0.0;
    vec2 m = hovering ? clamp(iMouse.xy / res, 0.0, 1.0) : vec2(0.5);
    float inner = mix(0.16, 0.30, m.x);
    float heat = mix(0.65, 1.6, m.y);

    float t = mod(iTime, 1000.0);
    float r = length(p);
    // angle from the horizontal, mirrored: the same flames burn on both sides
    float a = atan(p.y, abs(p.x) + 1e-4);

    // flames rise outwards: radial tongues, the noise scrolls along the radius and a
    // second, slower noise bends the tongues sideways
    float warp = valueNoise(vec2(a * 3.0 + 11.0, r * 5.0 - t * 0.8));
    vec2 q = vec2(a * 7.0 + warp * 1.6, (r - inner) * 6.0 - t * 2.2);
    float n = 0.55 * valueNoise(q) + 0.3 * valueNoise(q * vec2(2.1, 1.7) + vec2(3.1, -t * 1.1))
            + 0.15 * valueNoise(q * vec2(4.3, 3.1) - vec2(1.7, t * 1.9));

    float h = (r - inner) / 0.17;              // 0 at the rim, 1 at the tips
    float flame = clamp(1.0 - h + (n - 0.5) * 1.9, 0.0, 1.0);
    flame *= smoothstep(-0.01, 0.015, r - inner);
    // the rim itself glows, also a little inwards
    float rim = exp(-abs(r - inner) * 60.0);

    // open the ring at top and bottom so that two halves face each other
    float side = abs(p.x) / max(r, 1e-4);
    float gap = smoothstep(0.3, 0.78, side);

    // nothing may reach the item's edges, or the button would show a straight cut
    float edges = smoothstep(0.5, 0.4, abs(p.y)) * smoothstep(0.5 * res.x / res.y, 0.5 * res.x / res.y - 0.1, abs(p.x));
    gap *= edges;
    float v = (flame * flame + rim * (0.45 + 0.55 * n)) * gap * heat;
    // dark red at the tips, orange, then yellow-white where it is hottest
    vec3 col = vec3(1.5, 0.36, 0.06) * v + vec3(0.0, 0.42, 0.1) * v * v + vec3(0.0, 0.0, 0.22) * v * v * v;
    col += vec3(0.8, 0.22, 0.04) * exp(-abs(r - inner) * 10.0) * 0.16 * gap * heat;

    col = 1.0 - exp(-col);
    col += (hash12(fragCoord + fract(t) * 97.0) - 0.5) / 255.0;
    fragColor = vec4(max(col, 0.0), 0.0);
}
