#version 330
// A low flight along a winding, rolling path over a city of blocks. The blocks stand
// on a skewed grid (every row shifted against the one before, so the cells are
// parallelograms); each block's height comes from the brightness of the picture in
// iChannel0 at its cell and its colour is tinted by the picture's colour there. Now
// and then a block glows. Far away everything sinks into coloured haze.
// The rays walk the grid cell by cell in the skewed frame, where the blocks are plain
// boxes, so each cell costs one picture read and one box test.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform sampler2D iChannel0;
uniform float qt_Opacity;

const float SKEW = 0.55;         // shift of a row against the one before, in cells
const float GAP = 0.09;          // street half-width, in cells
const float TALLEST = 3.2;
const int CELLS = 72;            // most cells a ray walks through
const float FAR = 42.0;

uint mixBits(uint x)
{
    x ^= x >> 16;
    x *= 0x7c5ad3a5U;
    x ^= x >> 14;
    x *= 0x2f6b3c1dU;
    x ^= x >> 16;
    return x;
}

vec2 random2(vec2 cell)
{
    uvec2 q = uvec2(ivec2(cell));
    uint h = mixBits(q.x * 0x9e3779b1U ^ mixBits(q.y + 0x3c6ef372U));
    return vec2(float(h & 0xffffu), float(h >> 16)) * (1.0 / 65536.0);
}

// Height and colour of the block in a cell, from one texel of the picture (read
// unfiltered, which a software renderer does far faster than a filtered read).
vec4 block(vec2 cell, ivec2 size)
{
    ivec2 texel = ivec2(fract((cell + 0.5) / 37.0) * vec2(size));
    vec3 picture = size.x > 0 ? texelFetch(iChannel0, min(texel, size - 1), 0).rgb : vec3(0.0);
    float lum = dot(picture, vec3(0.299, 0.587, 0.114));
    vec2 r = random2(cell);
    float height = 0.2 + TALLEST * smoothstep(0.12, 0.7, lum) + 0.4 * r.x * r.x;
    return vec4(mix(vec3(0.55), picture * 1.4, 0.7), min(height, TALLEST + 0.6));
}

// The camera's path: it winds left and right and rises and falls a little.
vec3 path(float z)
{
    return vec3(4.0 * sin(z * 0.07) + 2.5 * sin(z * 0.031 + 1.0), 4.6 + 0.6 * sin(z * 0.05), z);
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 uv = (fragCoord - 0.5 * iResolution.xy) / iResolution.y;
    float t = mod(iTime, 2000.0);

    float z = t * 2.2;
    vec3 ro = path(z);
    vec3 target = path(z + 6.0) - vec3(0.0, 1.6, 0.0);
    vec3 forward = normalize(target - ro);
    float roll = 0.22 * sin(t * 0.13) + 0.6 * (path(z + 8.0).x - path(z).x) / 8.0;
    vec3 worldUp = vec3(sin(roll), cos(roll), 0.0);
    vec3 right = normalize(cross(forward, worldUp));
    vec3 up = cross(right, forward);
    vec3 rd = normalize(uv.x * right + uv.y * up + 1.3 * forward);

    // Into the skewed frame: x' = x - SKEW z. Ray parameters stay the same there.
    vec3 o = vec3(ro.x - SKEW * ro.z, ro.y, ro.z);
    vec3 d = vec3(rd.x - SKEW * rd.z, rd.y, rd.z);
    vec2 inv = 1.0 / vec2(abs(d.x) > 1e-5 ? d.x : 1e-5, abs(d.z) > 1e-5 ? d.z : 1e-5);

    vec2 cell = floor(o.xz);
    vec2 stepDir = sign(inv);
    vec2 tDelta = abs(inv);
    vec2 tNext = ((cell + max(stepDir, 0.0)) - o.xz) * inv;

    ivec2 size = textureSize(iChannel0, 0);
    float hitT = -1.0;
    vec3 normal = vec3(0.0, 1.0, 0.0);
    vec4 hitBlock = vec4(0.0);
    vec2 hitCell = cell;
    float tCell = 0.0;
    for (int i = 0; i < CELLS; ++i) {
        // The ray has left the block tops for the sky, or reached the ground.
        if ((d.y >= 0.0 && o.y + d.y * tCell > TALLEST + 0.7) || tCell > FAR)
            break;
        vec4 b = block(cell, size);
        vec3 lo = vec3(cell.x + GAP, 0.0, cell.y + GAP);
        vec3 hi = vec3(cell.x + 1.0 - GAP, b.w, cell.y + 1.0 - GAP);
        vec3 t1 = (lo - o) / vec3(d.x, abs(d.y) > 1e-5 ? d.y : 1e-5, d.z);
        vec3 t2 = (hi - o) / vec3(d.x, abs(d.y) > 1e-5 ? d.y : 1e-5, d.z);
        vec3 tMin = min(t1, t2);
        vec3 tMax = max(t1, t2);
        float enter = max(max(tMin.x, tMin.y), tMin.z);
        float leave = min(min(tMax.x, tMax.y), tMax.z);
        if (enter <= leave && leave > 0.0) {
            hitT = enter;
            hitBlock = b;
            hitCell = cell;
            if (enter == tMin.y)
                normal = vec3(0.0, sign(-d.y), 0.0);
            else if (enter == tMin.x)
                normal = vec3(-stepDir.x, 0.0, 0.0);
            else
                normal = vec3(0.0, 0.0, -stepDir.y);
            break;
        }
        // The street floor of this cell.
        float floorT = -o.y / (abs(d.y) > 1e-5 ? d.y : -1e-5);
        if (d.y < 0.0 && floorT < min(tNext.x, tNext.y)) {
            hitT = floorT;
            hitBlock = vec4(vec3(0.12), 0.0);
            normal = vec3(0.0, 1.0, 0.0);
            hitCell = vec2(-1.0);
            break;
        }
        if (tNext.x < tNext.y) {
            tCell = tNext.x;
            tNext.x += tDelta.x;
            cell.x += stepDir.x;
        } else {
            tCell = tNext.y;
            tNext.y += tDelta.y;
            cell.y += stepDir.y;
        }
    }

    // Haze colour: dusky violet overhead, warm near the horizon, slowly shifting.
    float shift = 0.5 + 0.5 * sin(t * 0.05);
    vec3 haze = mix(vec3(0.95, 0.45, 0.3), vec3(0.45, 0.3, 0.85), shift);
    vec3 sky = mix(haze, vec3(0.05, 0.04, 0.12), smoothstep(0.0, 0.45, rd.y));
    vec3 col = sky;
    if (hitT > 0.0) {
        vec3 pos = o + d * hitT;                     // skewed frame
        // Back to the world frame for the normal: n' = (n.x, n.y, n.z - SKEW n.x).
        vec3 n = normalize(vec3(normal.x, normal.y, normal.z - SKEW * normal.x));
        vec3 light = normalize(vec3(-0.5, 0.8, 0.35));
        float diffuse = max(dot(n, light), 0.0);
        float sky_ = 0.5 + 0.5 * n.y;
        // Lower parts of the blocks are darker (light reaches the streets less).
        float occlusion = mix(0.35, 1.0, clamp(pos.y / max(hitBlock.w, 0.3), 0.0, 1.0));
        vec3 base = hitBlock.rgb;
        vec3 surface = base * (0.18 + 0.75 * diffuse) * occlusion + base * haze * 0.15 * sky_;
        // Bright rims along the top edges of the blocks.
        if (hitCell.x > -1.0 || hitCell.y > -1.0) {
            vec2 local = pos.xz - hitCell;
            float edge = min(min(local.x - GAP, 1.0 - GAP - local.x), min(local.y - GAP, 1.0 - GAP - local.y));
            float top = smoothstep(0.06, 0.0, hitBlock.w - pos.y);
            surface += vec3(0.5, 0.7, 1.0) * 0.35 * smoothstep(0.05, 0.0, edge) * max(top, n.y);
            vec2 r = random2(hitCell + 71.0);
            float lit = step(0.965, r.x) * (0.6 + 0.4 * sin(t * 1.7 + r.y * 6.28));
            // Glowing blocks: lit windows in rows on the sides, a bright roof.
            float rows = smoothstep(0.2, 0.35, fract(pos.y * 3.0)) * smoothstep(0.75, 0.6, fract(pos.y * 3.0));
            surface += lit * vec3(1.0, 0.55, 0.25) * (0.6 * rows * (1.0 - n.y) + 1.2 * n.y);
        }
        float fog = 1.0 - exp(-hitT * hitT * 0.0009);
        col = mix(surface, sky, fog);
    }

    col = 1.0 - exp(-col * 1.3);
    col += (random2(fragCoord + 333.0).x - 0.5) / 255.0;
    fragColor = vec4(max(col, 0.0), 1.0);
}
