// A bright young star inside a cloud of glowing gas and dark dust, against a sparse
// star field. Rays from the camera march through the sphere that bounds the cloud in
// up to 56 steps, gathering the gas's glow (brighter near the star) and losing light
// to the dust in front of it. The pointer turns the camera round the cloud and tilts
// the cloud itself.
//
// iChannel1 is a noise picture of 256 x 256 texels whose last row and column repeat
// the first and whose green and alpha channels are its red and blue channels moved by
// (-19, 29) texels in sampler coordinates: one read gives two neighbouring slices of
// two 3-D noises, one for the gas and one for the dust. Three of
// its texels also nudge the camera's distance, so each noise picture frames the cloud
// a little differently.
varying highp vec2 qt_TexCoord0;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform sampler2D iChannel0;   // available to scenes; not read here
uniform sampler2D iChannel1;
uniform float qt_Opacity;

const float BOUND = 3.2;
const vec2 SLICE = vec2(-19.0, 29.0);
// Scale (2.4) and turn from one noise octave to the next.
const mat3 OCTAVE = mat3(1.207, 1.427, -1.506, -0.797, 1.928, 1.187, 1.915, -0.096, 1.443);

// Two independent 3-D noises (gas in x, dust in y) from one read of the picture.
vec2 noise(vec3 p)
{
    vec3 i = floor(p);
    vec3 f = fract(p);
    f = f * f * (3.0 - 2.0 * f);
    vec2 at = mod(i.xy + SLICE * i.z + f.xy, 255.0);
    vec4 slices = texture2D(iChannel1, (at + 0.5) / 256.0);
    return mix(slices.rb, slices.ga, f.z);
}

mat3 rotation(float yaw, float pitch)
{
    float cy = cos(yaw), sy = sin(yaw), cp = cos(pitch), sp = sin(pitch);
    return mat3(cy, 0.0, -sy, 0.0, 1.0, 0.0, sy, 0.0, cy) * mat3(1.0, 0.0, 0.0, 0.0, cp, sp, 0.0, -sp, cp);
}

float pixelNoise(vec2 p)
{
    vec2 g = fract(p * vec2(0.1379, 0.3713) + vec2(0.21, 0.67));
    return fract((g.x + 3.7) * (g.y + 1.9) * 91.37);
}

vec3 stars(vec3 dir)
{
    // Direction to a cell of the noise picture, each cell about three pixels wide; a
    // few cells hold a star at their centre.
    vec2 polar = vec2(atan(dir.z, dir.x) * 0.159155 + 0.5, dir.y * 0.5 + 0.5);
    vec2 at = polar * vec2(1.0, 0.3183099) * (2.0 * iResolution.x / 3.0);
    vec2 cell = floor(at);
    vec4 n = texture2D(iChannel1, (mod(cell, 255.0) + 0.5) / 256.0);
    float d = length(fract(at) - 0.5);
    float star = smoothstep(0.93, 1.0, n.b) * smoothstep(0.5, 0.05, d) * (0.4 + n.a);
    return star * mix(vec3(1.0, 0.85, 0.7), vec3(0.7, 0.8, 1.0), n.r) * 2.0;
}

void main()
{
    vec2 uv = (gl_FragCoord.xy - 0.5 * iResolution.xy) / max(iResolution.y, 1.0);
    float t = mod(iTime, 1800.0);

    vec2 m = vec2(0.5, 0.55);
    if (iMouse.x > 0.0 || iMouse.y > 0.0)
        m = clamp(iMouse.xy / iResolution.xy, 0.0, 1.0);
    mat3 view = rotation((m.x - 0.5) * 6.2831853 + t * 0.03, (m.y - 0.5) * 1.8);
    mat3 spin = rotation(t * 0.05, (m.y - 0.5) * 0.9 + 0.35);

    float nudge = texture2D(iChannel1, vec2(3.5, 5.5) / 256.0).r
                + texture2D(iChannel1, vec2(71.5, 130.5) / 256.0).r
                + texture2D(iChannel1, vec2(200.5, 41.5) / 256.0).r;
    float distance = 6.6 + (nudge - 1.5) * 0.5;

    vec3 ro = view * vec3(0.0, 0.0, -distance);
    vec3 rd = view * normalize(vec3(uv, 1.45));

    vec3 col = stars(rd);
    float b = dot(ro, rd);
    float c = dot(ro, ro) - BOUND * BOUND;
    float h = b * b - c;
    if (h > 0.0) {
        h = sqrt(h);
        float near = max(-b - h, 0.0);
        float far = -b + h;
        float dt = (far - near) / 56.0;
        float dist = near + dt * pixelNoise(gl_FragCoord.xy);
        vec3 light = vec3(0.0);
        float seen = 1.0;                          // how much light still passes
        for (int i = 0; i < 56; ++i) {
            vec3 p = ro + rd * dist;
            float r2 = dot(p, p);
            vec3 q = spin * p;
            // Gas thins out towards the bounding sphere and is blown away near the star.
            float shape = smoothstep(BOUND * BOUND, 2.0, r2) * smoothstep(0.1, 0.9, r2);
            vec3 at = q * 1.2 + vec3(0.0, t * 0.03, 0.0);
            vec2 coarse = noise(at);
            // The finer octave on a turned lattice, so the two lattices never line up.
            vec2 fine = noise(OCTAVE * at + 11.0);
            // Ridges of the finer noise draw the gas out into filaments.
            float ridge = 1.0 - abs(2.0 * fine.x - 1.0);
            float gas = max(0.65 * coarse.x + 0.35 * ridge * ridge - 0.3, 0.0) * shape;
            gas *= gas * 8.0;
            float dust = max(0.4 * coarse.y + 0.6 * fine.y - 0.52, 0.0) * shape;
            float heat = 1.0 / (0.5 + r2 * 0.4);
            vec3 glow = mix(vec3(1.0, 0.22, 0.3), vec3(0.35, 0.55, 1.0), smoothstep(0.6, 1.4, heat));
            glow = mix(glow, vec3(1.0, 0.6, 0.25), clamp(gas * 3.0, 0.0, 0.4));
            light += seen * (glow * gas * heat * 5.0 + vec3(1.0, 0.9, 0.75) * 0.02 / (0.02 + r2)) * dt;
            seen *= exp(-(dust * 14.0 + gas * 0.8) * dt);
            dist += dt;
            if (seen < 0.02)
                break;
        }
        col = col * seen + light;
    }
    // The star itself, seen through whatever lies in front of it.
    float toStar = length(cross(rd, -ro));
    col += vec3(1.0, 0.92, 0.8) * 0.012 / (toStar * toStar + 0.004) * step(0.0, -b);

    col = 1.0 - exp(-col * 1.1);
    col += (pixelNoise(gl_FragCoord.yx + 17.0) - 0.5) / 255.0;
    gl_FragColor = vec4(col, 1.0);
}
