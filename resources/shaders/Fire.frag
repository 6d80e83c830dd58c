#version 330
// A wall of fire rising from the bottom edge: tongues of flame from layered simplex
// noise that scrolls upwards and stretches as it climbs, grey smoke curling above it,
// and sparks that drift up and fade. The pointer's x pushes the flames and sparks
// sideways like a wind.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform float qt_Opacity;

uint mixBits(uint x)
{
    x ^= x >> 15;
    x *= 0xd168aaadU;
    x ^= x >> 15;
    x *= 0xaf723597U;
    x ^= x >> 15;
    return x;
}

// Random value in [0, 1) for an integer lattice point.
float cellRandom(vec2 cell)
{
    uvec2 q = uvec2(ivec2(cell));
    return float(mixBits(q.x * 0x9e3779b1U ^ mixBits(q.y + 0x632be5abU))) * (1.0 / 4294967296.0);
}

vec2 gradient(vec2 cell)
{
    float a = cellRandom(cell) * 6.2831853;
    return vec2(cos(a), sin(a));
}

// Two-dimensional simplex noise in about -1..1.
float simplex(vec2 p)
{
    const float SKEW = 0.3660254;    // (sqrt(3) - 1) / 2
    const float UNSKEW = 0.2113249;  // (3 - sqrt(3)) / 6
    vec2 cell = floor(p + (p.x + p.y) * SKEW);
    vec2 a = p - cell + (cell.x + cell.y) * UNSKEW;
    vec2 step1 = a.x > a.y ? vec2(1.0, 0.0) : vec2(0.0, 1.0);
    vec2 b = a - step1 + UNSKEW;
    vec2 c = a - 1.0 + 2.0 * UNSKEW;
    vec3 falloff = max(0.5 - vec3(dot(a, a), dot(b, b), dot(c, c)), 0.0);
    falloff *= falloff;
    falloff *= falloff;
    vec3 ramps = vec3(dot(gradient(cell), a), dot(gradient(cell + step1), b), dot(gradient(cell + 1.0), c));
    return 70.0 * dot(falloff, ramps);
}

// Flame colour for a temperature of 0 (cold, black) to about 1.4 (white hot).
vec3 flameColour(float heat)
{
    heat = max(heat, 0.0);
    float h2 = heat * heat;
    return vec3(1.7 * heat, 0.95 * h2, 0.4 * h2 * h2);
}

float sparks(vec2 p, float t, float wind, float scale, float seed)
{
    // One spark per cell of a grid that scrolls upwards; each wanders a little sideways.
    vec2 q = p * scale;
    q.y -= t * 2.2;
    // The wind moves each row of cells as a whole, so the sparks keep their round shape.
    q.x -= wind * (floor(q.y) + 0.5 + t * 2.2);
    vec2 cell = floor(q);
    vec2 local = fract(q) - 0.5;
    float r = cellRandom(cell + seed);
    float r2 = cellRandom(cell + seed + 71.0);
    vec2 centre = vec2(r - 0.5, r2 - 0.5) * 0.6;
    centre.x += 0.18 * sin(t * (2.0 + 3.0 * r) + r2 * 6.28);
    float d = length(local - centre);
    float alive = step(0.68, r2);                       // a third of the cells carry a spark
    float flicker = 0.6 + 0.4 * sin(t * 17.0 + r * 40.0);
    return alive * flicker * smoothstep(0.06 + 0.05 * r, 0.0, d);
}

float hashPixel(vec2 fragCoord)
{
    return cellRandom(fragCoord + 1731.0);
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 p = vec2(fragCoord.x - 0.5 * iResolution.x, fragCoord.y) / iResolution.y;
    float t = mod(iTime, 1000.0);

    float wind = 0.0;
    if (iMouse.x > 0.0)
        wind = (clamp(iMouse.x / iResolution.x, 0.0, 1.0) - 0.5) * 1.4;

    // Flames: noise that scrolls up, stretched vertically, leaning with the wind.
    vec2 q = vec2(p.x - wind * p.y * p.y * 1.2, p.y);
    vec2 flow = vec2(q.x * 3.0, q.y * 1.7 - t * 1.35);
    float n = 0.5 * simplex(flow)
            + 0.25 * simplex(flow * 2.03 + vec2(3.1, -t * 0.9))
            + 0.125 * simplex(flow * 4.01 + vec2(-7.7, -t * 1.6))
            + 0.0625 * simplex(flow * 8.05 + vec2(1.3, -t * 2.1));
    // The flame's top edge wanders slowly along the width; the noise tears it into tongues.
    float top = 0.42 + 0.1 * simplex(vec2(q.x * 1.3, t * 0.3)) + 0.3 * n;
    float heat = (1.0 - p.y / max(top, 0.05)) * (1.05 + 0.5 * n);
    heat = max(heat, 0.0);
    heat = heat * heat * (1.6 - 0.5 * heat) + 0.15 * smoothstep(0.3, 0.0, p.y);
    vec3 col = flameColour(heat);

    // Smoke: a slow darker layer above the flames, lit from below by the fire.
    vec2 smokeFlow = vec2(q.x * 1.6 - wind * 0.4 * t, q.y * 1.1 - t * 0.45);
    float smoke = 0.5 + 0.5 * (0.65 * simplex(smokeFlow) + 0.35 * simplex(smokeFlow * 2.2 + 5.0));
    smoke *= smoothstep(0.25, 0.8, p.y) * (1.0 - smoothstep(0.9, 1.25, p.y));
    vec3 smokeColour = mix(vec3(0.2, 0.19, 0.19), vec3(0.5, 0.3, 0.16), exp(-p.y * 1.5));
    vec3 background = mix(vec3(0.05, 0.02, 0.01), vec3(0.01, 0.01, 0.02), clamp(p.y, 0.0, 1.0));
    vec3 base = mix(background, smokeColour, smoke * smoke * 0.8);
    col = base * (1.0 - clamp(heat, 0.0, 1.0)) + col;

    // Sparks in two sizes.
    float s = sparks(p, t, wind, 7.0, 0.0) + 0.7 * sparks(p, t * 0.8, wind, 12.0, 37.0);
    s *= smoothstep(1.1, 0.3, p.y) * smoothstep(0.05, 0.3, p.y);
    col += s * vec3(2.2, 1.1, 0.35);

    col = 1.0 - exp(-col * 1.3);
    col += (hashPixel(fragCoord) - 0.5) / 255.0;
    fragColor = vec4(max(col, 0.0), 1.0);
}
