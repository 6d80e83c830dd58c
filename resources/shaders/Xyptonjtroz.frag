#version 330
// A low night flight over a tangle of braided vines, through a drifting violet fog.
// Each vine is a pair of strands twisted around a winding core, laid over a rocky
// ground. Curved edges glow: the glow follows the surface curvature (how much the
// distance field bends around the hit point), so thin strands and sharp crests light up
// while flat ground stays dark, and the glow bleeds into the fog around the vines.
// Pointer: turns the view; with the pointer away the view looks ahead and a little down.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform float qt_Opacity;

float clock;

mat2 rot(float a)
{
    float c = cos(a), s = sin(a);
    return mat2(c, s, -s, c);
}

float hash12(vec2 p)
{
    vec3 q = fract(vec3(p.xyx) * 0.1031);
    q += dot(q, q.yzx + 33.33);
    return fract((q.x + q.y) * q.z);
}

float smin(float a, float b, float k)
{
    float h = clamp(0.5 + 0.5 * (b - a) / k, 0.0, 1.0);
    return mix(b, a, h) - k * h * (1.0 - h);
}

// Braided vines along z, one per cell of the given spacing in x: two strands wound
// round a meandering core.
float braids(vec3 p, float spacing, float seed)
{
    float cell = floor(p.x / spacing + 0.5);
    vec3 q = p;
    q.x -= cell * spacing;
    float phase = cell * 2.1 + seed;
    q.x += 0.6 * sin(q.z * 0.45 + phase);
    q.y -= 0.35 + 0.3 * sin(q.z * 0.7 + phase * 0.7);
    float twist = q.z * 2.4 + phase;
    vec2 offset = 0.12 * vec2(cos(twist), sin(twist));
    float a = length(q.xy - offset) - 0.075;
    float b = length(q.xy + offset) - 0.075;
    return min(a, b) * 0.85;   // the twist bends space a little: keep steps short
}

float rocks(vec3 p)
{
    float h = 0.16 * sin(p.x * 0.9 + sin(p.z * 0.5)) * sin(p.z * 0.8) + 0.06 * sin(p.x * 2.7) * sin(p.z * 3.1 + p.x);
    return p.y + h;
}

// Distance to the scene; vines receives the distance to the nearest vine alone.
float scene(vec3 p, out float vines)
{
    float a = braids(p, 2.0, 0.0);
    vec3 pb = p;
    pb.xz = rot(-0.9) * pb.xz;
    float b = braids(pb + vec3(0.7, 0.0, 0.0), 2.7, 3.0);
    vines = min(a, b);
    return smin(vines, rocks(p), 0.12);
}

float fog(vec3 p)
{
    vec3 q = p * 0.35 + vec3(clock * 0.12, 0.0, clock * 0.2);
    float n = dot(sin(q), cos(q.zxy * 1.4));
    return clamp(0.3 + 0.28 * n, 0.0, 1.0) * exp(-max(p.y, 0.0) * 0.55);
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 res = max(iResolution.xy, vec2(1.0));
    vec2 uv = (fragCoord - 0.5 * res) / res.y;
    clock = mod(iTime, 3000.0);

    float yaw = 0.0, pitch = -0.22;
    if (iMouse.x > 0.0 || iMouse.y > 0.0) {
        yaw = (iMouse.x / res.x - 0.5) * 3.0;
        pitch = (iMouse.y / res.y - 0.5) * 0.9 - 0.2;
    }
    float z = clock * 1.3;
    vec3 ro = vec3(0.5 * sin(clock * 0.13), 1.05 + 0.1 * sin(clock * 0.31), z);
    vec3 rd = normalize(vec3(uv, 1.25));
    rd.yz = rot(-pitch) * rd.yz;
    rd.xz = rot(yaw + 0.2 * sin(clock * 0.09)) * rd.xz;

    vec3 fogColour = vec3(0.23, 0.16, 0.36);
    vec3 glowColour = vec3(0.25, 0.95, 1.0);

    float t = 0.05 + 0.08 * hash12(fragCoord);
    float vines = 1.0;
    float transmittance = 1.0;
    vec3 gathered = vec3(0.0);
    bool hit = false;
    float d = 1.0;
    for (int i = 0; i < 90; ++i) {
        vec3 p = ro + rd * t;
        d = scene(p, vines);
        float stepLength = max(d * 0.75, 0.004 * t + 0.008);
        float density = fog(p) * stepLength * 0.28;
        // fog lit by the moon and by the glow of nearby vines
        gathered += transmittance * density * (fogColour + glowColour * exp(-vines * 9.0) * 0.9);
        transmittance *= exp(-density);
        if (d < 0.0015 * t) {
            hit = true;
            break;
        }
        t += stepLength;
        if (t > 32.0 || transmittance < 0.02)
            break;
    }
    // a ray that ran out of steps right at a surface still shades it
    hit = hit || (t < 32.0 && d < 0.03);

    vec3 sky = mix(vec3(0.18, 0.12, 0.3), vec3(0.04, 0.03, 0.1), clamp(rd.y * 2.5, 0.0, 1.0));
    vec3 col = sky;
    if (hit) {
        vec3 p = ro + rd * t;
        const float h = 0.03;
        vec2 e = vec2(h, -h);
        float v;
        float d0 = scene(p, v);
        float d1 = scene(p + e.xyy, v), d2 = scene(p + e.yyx, v), d3 = scene(p + e.yxy, v), d4 = scene(p + e.xxx, v);
        vec3 n = normalize(e.xyy * d1 + e.yyx * d2 + e.yxy * d3 + e.xxx * d4);
        // how much the field bends here: large on thin strands and sharp crests, nothing
        // on open ground; the glow sits where such a curved surface turns away from view
        float curvature = (d1 + d2 + d3 + d4 - 4.0 * d0) / (h * h);
        float facing = max(dot(n, -rd), 0.0);
        float edge = smoothstep(1.5, 8.0, curvature) * pow(1.0 - facing, 2.5);

        vec3 moonDir = normalize(vec3(0.4, 0.8, -0.3));
        float diffuse = max(dot(n, moonDir), 0.0);
        bool onVine = v < 0.02;
        vec3 albedo = onVine ? vec3(0.13, 0.16, 0.2) : vec3(0.09, 0.08, 0.11);
        col = albedo * (vec3(0.55, 0.55, 0.8) * diffuse + vec3(0.12, 0.1, 0.2));
        float pulse = 0.75 + 0.25 * sin(clock * 1.3 + p.z * 0.6);
        col += glowColour * edge * pulse * (onVine ? 1.6 : 0.6);
    }
    col = col * transmittance + gathered;

    col = 1.0 - exp(-col * 1.4);
    col *= 1.0 - 0.3 * dot(uv, uv);
    col += (hash12(fragCoord + 4.2) - 0.5) / 255.0;
    fragColor = vec4(clamp(col, 0.0, 1.0), 1.0);
}
