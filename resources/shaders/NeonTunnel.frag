#version 330
// A ride through a winding neon tube. Glowing rings hoop the tube at regular spacing and
// spinning cubes hang off its axis; rings and cubes throw their light on the walls and
// bloom in the haze. Path, rings, cubes and spins all repeat after one 30-second lap, so
// the ride loops without a seam. iChannel0: the first row of a 256-texel-wide picture
// gives each cube its colour (a fallback palette stands in when the channel is empty).
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform sampler2D iChannel0;
uniform float qt_Opacity;

const float TAU = 6.28318530718;
const float LAP = 30.0;          // seconds per lap
const float SPEED = 4.0;         // units per second
const float LENGTH = LAP * SPEED;
const float TUBE = 2.0;
const float RING_GAP = 6.0;      // LENGTH / RING_GAP rings per lap
const float CUBE_GAP = 12.0;     // LENGTH / CUBE_GAP cubes per lap
const float CUBES = LENGTH / CUBE_GAP;

float lapTime;

vec2 path(float z)
{
    float w = TAU / LENGTH;
    return vec2(2.6 * sin(z * w * 3.0), 1.8 * cos(z * w * 2.0));
}

mat2 rot(float a)
{
    float c = cos(a), s = sin(a);
    return mat2(c, s, -s, c);
}

float hash11(float n)
{
    return fract(sin(n * 12.9898) * 43758.5453);
}

vec3 ringColour(float id)
{
    // a hue wheel without trigonometry, kept off pure white
    vec3 h = clamp(abs(fract(id * 0.13 + vec3(0.0, 0.667, 0.333)) * 6.0 - 3.0) - 1.0, 0.0, 1.0);
    return 0.25 + 0.75 * h;
}

vec3 cubeColour(float id)
{
    float u = 1.0 - (mod(id * 37.0 + 11.0, 256.0) + 0.5) / 256.0;   // pictures arrive mirrored
    vec3 c = texture(iChannel0, vec2(u, 0.5 / 256.0)).rgb;
    vec3 fallback = 0.5 + 0.5 * cos(TAU * (id * 0.21 + vec3(0.1, 0.45, 0.8)));
    c = dot(c, c) < 0.003 ? fallback : c;
    // push towards neon: saturated and bright
    float m = max(max(c.r, c.g), max(c.b, 1e-3));
    c /= m;
    return c * c;
}

// Distances to the tube wall, the nearest ring and the nearest cube; ids in rid/cid.
vec3 scene(vec3 p, out float rid, out float cid)
{
    vec2 q = p.xy - path(p.z);
    float r = length(q);
    float wall = TUBE - r;

    rid = floor(p.z / RING_GAP);
    float zr = p.z - (rid + 0.5) * RING_GAP;
    float ring = length(vec2(r - (TUBE - 0.16), zr)) - 0.05;

    float cell = floor(p.z / CUBE_GAP);
    cid = mod(cell, CUBES);
    float zc = p.z - (cell + 0.5) * CUBE_GAP;
    float cube = abs(zc) - 0.5;   // a safe bound while the cube is far along the tube
    if (cube < 0.6) {
        float a = cid * 2.4;
        vec3 cp = vec3(q - 1.0 * vec2(cos(a), sin(a)), zc);
        float spin = lapTime * TAU / LAP * (2.0 + mod(cid, 3.0));   // whole turns per lap
        cp.xy = rot(spin) * cp.xy;
        cp.yz = rot(spin * 0.7 + cid) * cp.yz;
        vec3 b = abs(cp) - vec3(0.26);
        cube = length(max(b, 0.0)) + min(max(b.x, max(b.y, b.z)), 0.0) - 0.04;
    }
    return vec3(wall, ring, cube);
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 res = max(iResolution.xy, vec2(1.0));
    vec2 uv = (fragCoord - 0.5 * res) / res.y;

    lapTime = mod(iTime, LAP);
    float camZ = lapTime * SPEED;
    vec3 ro = vec3(path(camZ), camZ);
    vec3 target = vec3(path(camZ + 4.0), camZ + 4.0);
    vec3 forward = normalize(target - ro);
    float roll = 0.25 * sin(lapTime * TAU / LAP * 2.0);
    vec3 right = normalize(cross(vec3(sin(roll), cos(roll), 0.0), forward));
    vec3 up = cross(forward, right);
    vec3 rd = normalize(uv.x * right + uv.y * up + 1.1 * forward);

    vec3 glow = vec3(0.0);
    float t = 0.05;
    float rid = 0.0, cid = 0.0;
    int hit = -1;
    for (int i = 0; i < 64; ++i) {
        vec3 p = ro + rd * t;
        vec3 d = scene(p, rid, cid);
        glow += ringColour(rid) * 0.0035 / (0.004 + d.y * d.y);
        if (d.z < 1.2)
            glow += cubeColour(cid) * 0.0022 / (0.006 + d.z * d.z);
        float m = min(d.x, min(d.y, d.z));
        if (m < 0.002) {
            hit = m == d.x ? 0 : (m == d.y ? 1 : 2);
            break;
        }
        t += m * 0.8;
        if (t > 45.0)
            break;
    }

    vec3 p = ro + rd * t;
    vec3 col = vec3(0.0);
    if (hit == 0) {
        // wall: dark panels with faint seams, lit by the nearest two rings
        vec2 q = p.xy - path(p.z);
        float a = atan(q.y, q.x);
        float seam = smoothstep(0.96, 1.0, cos(a * 10.0)) + smoothstep(0.97, 1.0, cos(p.z * TAU / RING_GAP * 2.0));
        float zr = p.z / RING_GAP - 0.5;
        float f = fract(zr);
        float near = floor(zr + 0.5);
        float toNear = abs(zr - near) * RING_GAP;
        vec3 lit = ringColour(near) * exp(-toNear * 0.9) * 1.3 + ringColour(near + (f < 0.5 ? -1.0 : 1.0)) * exp(-(RING_GAP - toNear) * 0.9) * 1.3;
        col = vec3(0.03, 0.03, 0.06) + lit * (0.18 + 0.5 * seam);
    } else if (hit == 1) {
        col = ringColour(rid) * 2.5;
    } else if (hit == 2) {
        col = cubeColour(cid) * 1.6 + 0.4;
    }
    // haze that swallows the far tube
    col = mix(col, vec3(0.02, 0.01, 0.05), 1.0 - exp(-t * 0.07));
    col += glow * 0.55;

    col = 1.0 - exp(-col * 1.1);
    float vignette = 1.0 - 0.35 * dot(uv, uv);
    col *= vignette;
    col += (fract(sin(dot(fragCoord, vec2(12.9898, 78.233))) * 43758.5453) - 0.5) / 255.0;
    fragColor = vec4(clamp(col, 0.0, 1.0), 1.0);
}
