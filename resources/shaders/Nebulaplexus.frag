#version 330
// Flying through a coloured nebula while a "plexus" drifts by: points that wander
// about, joined into a net of fine lines and faintly filled triangles, in four depth
// layers that grow towards the viewer and are reborn far away. The nebula is made of
// the noise picture in iChannel0 (any size; it tiles with a period of its size minus
// one texel, as the project's noise pictures are made).
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform sampler2D iChannel0;
uniform float qt_Opacity;

const int LAYERS = 4;

uint mixBits(uint x)
{
    x ^= x >> 16;
    x *= 0x3d4d51cbU;
    x ^= x >> 15;
    x *= 0x9b1c2e85U;
    x ^= x >> 16;
    return x;
}

vec2 random2(vec2 cell, float seed)
{
    uvec2 q = uvec2(ivec2(cell));
    uint h = mixBits(q.x * 0x27d4eb2fU ^ mixBits(q.y ^ uint(int(seed)) * 0x165667b1U));
    return vec2(float(h & 0xffffu), float(h >> 16)) * (1.0 / 65536.0);
}

// Noise picture read at a position in texels, tiled without a seam.
vec4 noiseAt(vec2 p)
{
    vec2 size = max(vec2(textureSize(iChannel0, 0)), vec2(2.0));
    vec2 i = floor(p);
    vec2 f = fract(p);
    f = f * f * (3.0 - 2.0 * f);
    return texture(iChannel0, (mod(i + f, size - 1.0) + 0.5) / size);
}

vec3 nebula(vec2 p, float seed)
{
    vec2 q = p + seed * vec2(37.0, 11.0);
    vec4 warp = noiseAt(q * 0.7);
    q += (warp.xy - 0.5) * 3.0;
    float a = noiseAt(q).r * 0.62 + noiseAt(q * 2.3 + 5.0).b * 0.38;
    float gas = smoothstep(0.25, 0.75, a);
    vec3 cool = mix(vec3(0.06, 0.12, 0.4), vec3(0.1, 0.55, 0.7), warp.z);
    vec3 warm = mix(vec3(0.6, 0.12, 0.5), vec3(0.95, 0.45, 0.3), warp.w);
    vec3 tint = mix(cool, warm, smoothstep(0.5, 0.8, a));
    return tint * gas * (0.35 + 0.9 * gas);
}

// The point of a cell of the plexus grid at time t: it circles inside its cell, close
// enough to the middle that the cells' quads stay convex.
vec2 node(vec2 cell, float t, float seed)
{
    vec2 r = random2(cell, seed);
    return cell + 0.5 + 0.24 * vec2(sin(t * (0.4 + 0.5 * r.x) + r.y * 6.28), cos(t * (0.3 + 0.5 * r.y) + r.x * 6.28));
}

float segment(vec2 p, vec2 a, vec2 b, out float len)
{
    vec2 ab = b - a;
    len = length(ab);
    float h = clamp(dot(p - a, ab) / max(dot(ab, ab), 1e-5), 0.0, 1.0);
    return length(p - a - ab * h);
}

float cross2(vec2 a, vec2 b)
{
    return a.x * b.y - a.y * b.x;
}

bool inTriangle(vec2 p, vec2 a, vec2 b, vec2 c)
{
    float s1 = cross2(b - a, p - a);
    float s2 = cross2(c - b, p - b);
    float s3 = cross2(a - c, p - c);
    return (s1 >= 0.0 && s2 >= 0.0 && s3 >= 0.0) || (s1 <= 0.0 && s2 <= 0.0 && s3 <= 0.0);
}

// One plexus layer: the grid is triangulated (two triangles per cell); the pixel's
// triangle gives its fill, its three edges the lines and its corners the points.
vec3 plexus(vec2 p, float t, float seed, float pixel)
{
    vec2 cell = floor(p);
    vec2 n[9];
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            n[j * 3 + i] = node(cell + vec2(float(i) - 1.0, float(j) - 1.0), t, seed);

    vec2 a = n[4], b = n[4], c = n[4];
    vec2 base = cell;
    bool found = false;
    for (int k = 0; k < 4 && !found; ++k) {
        int bx = k & 1;          // base cell (cell - 1 + bx, cell - 1 + by)
        int by = k >> 1;
        vec2 p00 = n[by * 3 + bx], p10 = n[by * 3 + bx + 1];
        vec2 p01 = n[(by + 1) * 3 + bx], p11 = n[(by + 1) * 3 + bx + 1];
        if (inTriangle(p, p00, p10, p01)) {
            a = p00; b = p10; c = p01; found = true;
            base = vec2(2.0 * (cell.x + float(bx)), cell.y + float(by));
        } else if (inTriangle(p, p10, p11, p01)) {
            a = p10; b = p11; c = p01; found = true;
            base = vec2(2.0 * (cell.x + float(bx)) + 1.0, cell.y + float(by));
        }
    }
    if (!found)
        return vec3(0.0);

    float la, lb, lc;
    float da = segment(p, a, b, la);
    float db = segment(p, b, c, lb);
    float dc = segment(p, c, a, lc);
    float width = 1.2 * pixel;
    // Shorter links shine brighter; the longest ones nearly vanish.
    float lines = smoothstep(width, 0.0, da) * smoothstep(1.25, 0.75, la)
                + smoothstep(width, 0.0, db) * smoothstep(1.25, 0.75, lb)
                + smoothstep(width, 0.0, dc) * smoothstep(1.25, 0.75, lc);
    lines += 0.25 * (exp(-da / (4.0 * pixel)) * smoothstep(1.25, 0.75, la)
                   + exp(-db / (4.0 * pixel)) * smoothstep(1.25, 0.75, lb)
                   + exp(-dc / (4.0 * pixel)) * smoothstep(1.25, 0.75, lc));
    float dp = min(length(p - a), min(length(p - b), length(p - c)));
    float points = smoothstep(3.0 * pixel, pixel, dp) + 0.5 * exp(-dp / (6.0 * pixel));

    vec2 r = random2(base, seed + 7.0);
    float fill = step(0.72, r.x) * (0.05 + 0.08 * r.y);
    vec3 tint = mix(vec3(0.45, 0.8, 1.0), vec3(1.0, 0.55, 0.85), r.y);
    return tint * (lines * 0.8 + fill) + vec3(0.9, 0.95, 1.0) * points;
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 uv = (fragCoord - 0.5 * iResolution.xy) / iResolution.y;
    float t = mod(iTime, 3000.0);

    // The nebula: two copies at scales an octave apart, both zooming in; one fades in
    // as the other fades out, so the flight goes on for ever.
    float flight = t * 0.05;
    vec3 col = vec3(0.0);
    for (int k = 0; k < 2; ++k) {
        float phase = fract(flight + 0.5 * float(k));
        float cycle = floor(flight + 0.5 * float(k));
        float scale = exp2(-phase);
        float weight = sin(phase * 3.14159);
        col += nebula(uv * 5.0 * scale, cycle + float(k) * 3.0) * weight * 2.3;
    }
    col += vec3(0.01, 0.012, 0.03);

    // The plexus layers.
    for (int i = 0; i < LAYERS; ++i) {
        float depth = fract(t * 0.045 + float(i) / float(LAYERS));
        float cycle = floor(t * 0.045 + float(i) / float(LAYERS));
        float zoom = mix(0.35, 2.4, depth * depth);
        float fade = smoothstep(0.0, 0.25, depth) * smoothstep(1.0, 0.75, depth);
        float angle = float(i) * 1.3 + t * 0.02;
        mat2 turn = mat2(cos(angle), sin(angle), -sin(angle), cos(angle));
        vec2 p = turn * uv * 4.0 / zoom + vec2(cycle * 17.0 + float(i) * 5.0, 0.0);
        float pixel = 4.0 / (zoom * iResolution.y);
        col += plexus(p, t * 0.6, float(i) * 13.0 + cycle * 101.0, pixel) * fade * (0.15 + 0.85 * depth);
    }

    col = 1.0 - exp(-col * 1.4);
    col += (random2(fragCoord, 999.0).x - 0.5) / 255.0;
    fragColor = vec4(max(col, 0.0), 1.0);
}
