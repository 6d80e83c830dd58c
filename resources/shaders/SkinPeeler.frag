#version 330
// Skimming low over ground overgrown with thick vines while a dust storm blows across.
// Two families of vines wind over the ground and melt into it; their bark is banded
// and peels in lighter strips. The storm is a drifting dust density gathered along the
// same march that finds the ground, lit warm by a low sun. The scene fades in over its
// first three seconds. Pointer: turns the view (x: left and right, y: up and down); with
// the pointer away the view looks straight ahead and a little down.
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

// One family of vines running along z, spaced in x. Returns the distance; q is left
// in the frame of the nearest vine (x, y across it, z along it).
float vineFamily(vec3 p, float spacing, float seed, out vec3 q)
{
    float cell = floor(p.x / spacing + 0.5);
    q = p;
    q.x -= cell * spacing;
    float phase = cell * 1.7 + seed;
    q.x += 0.5 * sin(q.z * 0.55 + phase);
    q.y -= 0.4 + 0.28 * sin(q.z * 0.8 + phase * 1.3);
    float radius = 0.13 + 0.035 * sin(q.z * 1.9 + phase);
    return length(q.xy) - radius;
}

float ground(vec3 p)
{
    return p.y + 0.12 * sin(p.x * 1.1) * sin(p.z * 0.9) + 0.05 * sin(p.x * 3.1 + p.z * 2.3);
}

// Distance to the scene; material 0 ground, 1 vines; q as in vineFamily.
float scene(vec3 p, out float material, out vec3 q)
{
    vec3 qa, qb;
    float a = vineFamily(p, 1.7, 0.0, qa);
    vec3 pb = p;
    pb.xz = rot(0.75) * pb.xz;
    float b = vineFamily(pb + vec3(0.9, 0.0, 0.0), 2.3, 4.0, qb);
    float vines = smin(a, b, 0.1);
    q = a < b ? qa : qb;
    float g = ground(p);
    material = vines < g ? 1.0 : 0.0;
    return smin(vines, g, 0.08);
}

// Dust of the storm: billows stretched along the wind, which blows from the right.
float dust(vec3 p)
{
    vec3 q = p * vec3(0.3, 0.9, 0.7) + vec3(clock * 0.9, 0.0, -clock * 0.3);
    float n = dot(sin(q), cos(q.zxy * 1.3 + vec3(0.0, clock * 0.4, 0.0)));
    return clamp(0.25 + 0.25 * n, 0.0, 1.0) * exp(-max(p.y, 0.0) * 0.3);
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 res = max(iResolution.xy, vec2(1.0));
    vec2 uv = (fragCoord - 0.5 * res) / res.y;
    clock = mod(iTime, 3000.0);

    float yaw = 0.0, pitch = -0.32;
    if (iMouse.x > 0.0 || iMouse.y > 0.0) {
        yaw = (iMouse.x / res.x - 0.5) * 3.0;
        pitch = (iMouse.y / res.y - 0.5) * 0.9 - 0.25;
    }
    float z = clock * 1.6;
    vec3 ro = vec3(0.4 * sin(clock * 0.15), 1.6 + 0.15 * sin(clock * 0.4), z);
    vec3 rd = normalize(vec3(uv, 1.3));
    rd.yz = rot(-pitch) * rd.yz;
    rd.xz = rot(yaw + 0.15 * sin(clock * 0.11)) * rd.xz;

    vec3 sunDir = normalize(vec3(-0.7, 0.35, 0.6));
    vec3 sun = vec3(1.0, 0.72, 0.45);
    vec3 dustColour = vec3(0.78, 0.55, 0.36);

    float t = 0.05 + 0.1 * hash12(fragCoord);
    float material = 0.0;
    vec3 q = vec3(0.0);
    float transmittance = 1.0;
    vec3 scattered = vec3(0.0);
    bool hit = false;
    for (int i = 0; i < 90; ++i) {
        vec3 p = ro + rd * t;
        float d = scene(p, material, q);
        float stepLength = max(d * 0.7, 0.02);
        // dust gathered over this step
        float density = dust(p) * stepLength * 0.3;
        scattered += transmittance * density * dustColour;
        transmittance *= exp(-density);
        if (d < 0.002 * t) {
            hit = true;
            break;
        }
        t += stepLength;
        if (t > 38.0 || transmittance < 0.02)
            break;
    }
    // a ray that ran out of steps near a surface still shades that surface
    hit = hit || t < 38.0;

    vec3 sky = mix(vec3(0.75, 0.5, 0.32), vec3(0.35, 0.22, 0.16), clamp(rd.y * 2.0, 0.0, 1.0));
    vec3 col = sky;
    if (hit) {
        vec3 p = ro + rd * t;
        vec2 e = vec2(0.004, -0.004);
        float m;
        vec3 bk;
        vec3 n = normalize(e.xyy * scene(p + e.xyy, m, bk) + e.yyx * scene(p + e.yyx, m, bk)
                         + e.yxy * scene(p + e.yxy, m, bk) + e.xxx * scene(p + e.xxx, m, bk));
        scene(p, material, q);
        float diffuse = max(dot(n, sunDir), 0.0);
        float sky_ = 0.5 + 0.5 * n.y;
        vec3 albedo;
        if (material > 0.5) {
            // banded bark that peels off in pale strips
            float around = atan(q.y, q.x);
            float band = sin(around * 3.0 + q.z * 2.2);
            float strip = smoothstep(0.55, 0.75, band);
            albedo = mix(vec3(0.12, 0.1, 0.05), vec3(0.66, 0.52, 0.36), strip);
            albedo *= 0.8 + 0.2 * sin(q.z * 11.0 + around * 5.0);
        } else {
            albedo = vec3(0.28, 0.2, 0.13) * (0.8 + 0.2 * sin(p.x * 7.0) * sin(p.z * 6.0));
        }
        float occlusion = clamp(0.4 + 0.6 * scene(p + n * 0.25, m, bk) / 0.25, 0.0, 1.0);
        col = albedo * (sun * diffuse * 1.4 + vec3(0.35, 0.28, 0.24) * sky_ * 0.6) * occlusion;
    }
    col = col * transmittance + scattered * (0.6 + 0.8 * sun * pow(max(dot(rd, sunDir), 0.0), 3.0));

    col *= smoothstep(0.0, 3.0, iTime);
    col = pow(max(col, 0.0), vec3(0.9));
    col *= 1.0 - 0.25 * dot(uv, uv);
    col += (hash12(fragCoord + 9.1) - 0.5) / 255.0;
    fragColor = vec4(clamp(col, 0.0, 1.0), 1.0);
}
