#version 330
// Glowing lines of force around a magnetic core, seen from a camera circling it. The
// lines follow a dipole's field (r proportional to sin^2 of the angle from its axis);
// which lines light up comes from the noise picture (iChannel0), one texel per line,
// read along circles so the pattern wraps round the axis without a seam; the lines
// swirl about the axis, the inner ones faster. 130 samples along each ray gather their
// light; the picture is read without filtering (texelFetch), which costs a software
// renderer far less than a filtered read.
// The pointer's x moves the camera along its orbit, its y twists the lines into helices;
// a pointer at (0, 0) counts as a quarter of the width and half of the height.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform sampler2D iChannel0;
uniform float qt_Opacity;

const int STEPS = 130;
const float BOUND = 3.0;

float grain(vec2 p)
{
    uvec2 q = uvec2(ivec2(p));
    uint h = q.x * 0x8da6b343U ^ q.y * 0xd8163841U;
    h ^= h >> 15;
    h *= 0x2c1b3c6dU;
    h ^= h >> 12;
    return float(h & 0xffffu) / 65536.0;
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 uv = (fragCoord - 0.5 * iResolution.xy) / iResolution.y;
    float t = mod(iTime, 2400.0);

    vec2 mouse = iMouse.xy;
    if (mouse.x == 0.0 && mouse.y == 0.0)
        mouse = vec2(0.25, 0.5) * iResolution.xy;
    vec2 m = clamp(mouse / iResolution.xy, 0.0, 1.0);

    // Camera on a tilted orbit around the core.
    float orbit = m.x * 6.2831853 + t * 0.06;
    float tilt = 0.45 + 0.2 * sin(t * 0.05);
    vec3 ro = 6.5 * vec3(cos(tilt) * sin(orbit), sin(tilt), cos(tilt) * cos(orbit));
    vec3 forward = normalize(-ro);
    vec3 right = normalize(cross(forward, vec3(0.0, 1.0, 0.0)));
    vec3 up = cross(right, forward);
    vec3 rd = normalize(uv.x * right + uv.y * up + 1.6 * forward);

    float twist = (m.y - 0.5) * 5.0;
    // Without a noise picture there are no lines, only the core's glow.
    vec2 size = vec2(textureSize(iChannel0, 0));
    bool lines = size.x >= 16.0 && size.y >= 16.0;
    vec2 centre = vec2(0.5);

    vec3 col = vec3(0.004, 0.003, 0.012);
    float b = dot(ro, rd);
    float h = b * b - dot(ro, ro) + BOUND * BOUND;
    if (h > 0.0) {
        h = sqrt(h);
        float near = -b - h;
        float dt = 2.0 * h / float(STEPS);
        float dist = near + dt * grain(fragCoord);
        // Light of the lines, gathered as weights of their three tints.
        float blue = 0.0, pink = 0.0, white = 0.0;
        for (int i = 0; i < STEPS; ++i) {
            vec3 p = ro + rd * dist;
            dist += dt;
            float r2 = dot(p, p);
            float rho2 = dot(p.xz, p.xz);
            float r = sqrt(r2);
            // The field line through p: its size (largest distance from the core).
            float shell = r2 * r / (rho2 + 0.02);
            // Lines fade out far from the core and are hidden inside its glow.
            float envelope = smoothstep(BOUND * BOUND, 3.0, r2) * smoothstep(0.08, 0.5, r2)
                           * smoothstep(4.5, 2.5, shell) * smoothstep(0.02, 0.25, rho2);
            if (envelope <= 0.0 || !lines)
                continue;
            // The direction the line leaves the axis in, swirled about the axis.
            float along = p.y / (r + 1e-4);                // -1..1 from pole to pole
            float spin = t * 0.9 / (0.6 + shell) + twist * along;
            float c = cos(spin), s = sin(spin);
            vec2 dir = vec2(c * p.x - s * p.z, s * p.x + c * p.z) * inversesqrt(rho2 + 1e-8);
            // One texel per line: its red value says how bright the line is, and the
            // distance from the texel's centre shapes the line into a soft tube.
            vec2 at = (centre + dir * (0.025 + shell * 0.012) + vec2(shell * 0.004, 0.0)) * size;
            vec4 n = texelFetch(iChannel0, ivec2(at), 0);
            float tube = 1.0 - smoothstep(0.05, 0.38, length(fract(at) - 0.5));
            float weight = smoothstep(0.55, 0.9, n.r) * tube * envelope;
            float towardsPink = smoothstep(0.6, 3.0, shell + n.b - 0.5);
            float highlight = smoothstep(0.8, 1.0, n.a) * 0.7;
            white += weight * highlight;
            weight *= 1.0 - highlight;
            pink += weight * towardsPink;
            blue += weight * (1.0 - towardsPink);
        }
        col += (vec3(0.3, 0.6, 1.0) * blue + vec3(0.9, 0.3, 0.85) * pink + vec3(0.8, 0.95, 1.0) * white) * dt * 4.0;
        // The core's glow, integrated along the ray in closed form: the integral of
        // 1 / (|ro + rd s|^2 + a) over s is atan((s + b) / k) / k with k^2 = |ro|^2 + a - b^2.
        float a = 0.05;
        float k = sqrt(max(dot(ro, ro) + a - b * b, 1e-6));
        float far = near + 2.0 * h;
        col += vec3(0.6, 0.75, 1.0) * 0.006 * (atan((far + b) / k) - atan((near + b) / k)) / k;
    }

    col = 1.0 - exp(-col * 1.5);
    col += (grain(fragCoord + 57.0) - 0.5) / 255.0;
    fragColor = vec4(max(col, 0.0), 1.0);
}
