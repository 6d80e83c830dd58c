#version 330
// The small logo on the guide button: a grey disc wrapped in a green halo, with two
// white waves gliding across the disc. The light breathes slowly and the logo fades in
// over the first two seconds. Its colour is added onto the picture beneath (alpha 0),
// and everything fades out well inside the item so that no square edge shows.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform float qt_Opacity;

// distance from p to the curve y = offset + amp * sin(freq * x + phase)
float waveDistance(vec2 p, float offset, float amp, float freq, float phase)
{
    float s = sin(freq * p.x + phase);
    float c = cos(freq * p.x + phase);
    float slope = amp * freq * c;
    return abs(p.y - offset - amp * s) / sqrt(1.0 + slope * slope);
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    float size = max(min(iResolution.x, iResolution.y), 1.0);
    vec2 p = (fragCoord - 0.5 * iResolution.xy) / size;   // -0.5 .. 0.5 across the shorter side
    float px = 1.0 / size;

    float t = mod(iTime, 628.3185);
    float fadeIn = smoothstep(0.0, 2.0, iTime);
    float pulse = 0.78 + 0.22 * sin(t * 1.7);

    const float R = 0.225;
    float r = length(p);
    float inside = 1.0 - smoothstep(R - px, R + px, r);

    // grey disc, lit a little from above
    vec3 col = vec3(0.30, 0.31, 0.32) * (0.8 + 0.35 * p.y / R) * inside;

    // two white waves, crossing each other as they travel
    float d1 = waveDistance(p, 0.045, 0.045, 16.0, t * 2.6);
    float d2 = waveDistance(p, -0.045, 0.04, 13.0, -t * 2.1 + 1.3);
    float w = 0.9 * px;
    float lines = (1.0 - smoothstep(w, w + 1.5 * px, d1)) + (1.0 - smoothstep(w, w + 1.5 * px, d2));
    lines += 0.35 * (exp(-d1 * 120.0) + exp(-d2 * 120.0));  // soft sheen around the lines
    col += vec3(0.95, 1.0, 0.97) * lines * (1.0 - smoothstep(R - 4.0 * px, R, r));

    // green rim and halo outside the disc; the halo is gone before the item's edge
    float outside = max(r - R, 0.0);
    float rim = exp(-abs(r - R) * 140.0);
    float halo = exp(-outside * 16.0) * (1.0 - smoothstep(0.36, 0.5, r)) * (1.0 - inside);
    col += vec3(0.16, 0.95, 0.22) * (rim * 0.9 + halo * 0.75) * pulse;

    col *= fadeIn * (0.85 + 0.15 * pulse);
    // a whisper of dither keeps the halo free of rings
    col += (fract(sin(dot(fragCoord, vec2(12.9898, 78.233))) * 43758.5453) - 0.5) / 255.0 * fadeIn;
    fragColor = vec4(max(col, 0.0), 0.0);
}
