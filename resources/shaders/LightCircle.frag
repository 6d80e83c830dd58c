#version 330
// A thin ring of light. Inside it a second, smaller circle wanders on an elliptic orbit
// and shapes the light that fills the ring: bright along its rim, a soft pool around it.
// The pointer sets the two radii of that orbit. Alpha 0: the colour adds onto whatever
// lies beneath.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform sampler2D iAudio;   // available to scenes; not read here
uniform float qt_Opacity;   // not used: the output is additive (alpha 0)

const float RING = 0.36;    // ring radius, in units of the view height

float hash12(vec2 p)
{
    vec3 q = fract(vec3(p.xyx) * vec3(0.1031, 0.1030, 0.0973));
    q += dot(q, q.yzx + 33.33);
    return fract((q.x + q.y) * q.z);
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 p = (fragCoord - 0.5 * iResolution.xy) / iResolution.y;
    float t = mod(iTime, 6283.185);

    // Orbit radii from the pointer: left/bottom small, right/top up to the ring itself.
    vec2 radii = vec2(0.17, 0.12);
    if (iMouse.x > 0.0 || iMouse.y > 0.0)
        radii = clamp(iMouse.xy / iResolution.xy, 0.0, 1.0) * (RING * 0.8);
    vec2 centre = radii * vec2(cos(t * 0.7), sin(t * 0.7 + 0.6 * sin(t * 0.23)));
    float inner = 0.11 + 0.03 * sin(t * 1.3);

    float r = length(p);
    float ringDist = abs(r - RING);
    float px = 1.5 / iResolution.y;                       // about one pixel
    float ring = 0.0035 / (ringDist + px) + 0.35 * exp(-ringDist * 28.0);

    // Light inside the ring, shaped by the orbiting circle: a bright rim, a lit disc that
    // brightens towards its edge, a halo around it, and the ring's inner glow leaning
    // towards the side the circle is on.
    float inside = 1.0 - smoothstep(RING - px, RING + px, r);
    float d = length(p - centre);
    float rim = 0.0025 / (abs(d - inner) + px);
    float disc = smoothstep(inner + px, inner - 2.0 * px, d) * (0.12 + 0.3 * d / inner);
    float halo = 0.3 * exp(-7.0 * max(d - inner, 0.0));
    vec2 side = p * RING / max(r, 1e-4) - centre;
    float lean = exp(-2.5 * dot(side, side) / (RING * RING));
    float innerGlow = exp(-(RING - r) * 9.0) * (0.1 + 0.5 * lean);
    float innerLight = inside * (rim + disc + halo + innerGlow);

    vec3 ringColour = vec3(0.55, 0.80, 1.00);
    vec3 warm = 0.5 + 0.5 * cos(vec3(0.0, 2.1, 4.2) + t * 0.25 + d * 3.0);
    vec3 col = ringColour * ring + mix(vec3(0.35, 0.6, 1.0), warm, 0.55) * innerLight;

    // Soft tone curve, then a touch of dither against banding in the dim halo.
    col = 1.0 - exp(-col * 1.2);
    col += (hash12(fragCoord) - 0.5) / 255.0;
    fragColor = vec4(max(col, 0.0), 0.0);
}
