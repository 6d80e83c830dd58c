#version 330
// A flight through thick, slowly churning clouds along a winding, cloud-free channel.
// The clouds are a few octaves of turned sine turbulence, carved away around the flight
// path and marched front to back; each sample is shaded by how much thinner the cloud
// is towards the light. Their colours drift slowly round the colour wheel, and the
// corners of the picture fall off into shadow. Pointer: x steers the camera left and
// right. Rays are taken from the window pixel position (gl_FragCoord).
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform float qt_Opacity;

const float TAU = 6.28318530718;
float clock;

vec2 path(float z)
{
    return vec2(3.2 * sin(z * 0.085) + 1.4 * sin(z * 0.047 + 1.0), 1.3 * cos(z * 0.063));
}

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

// Cloud density at p; coarse is the first octave alone, for cheap lighting.
float cloud(vec3 p, out float coarse)
{
    const mat3 turn = mat3(0.00, 0.80, 0.60, -0.80, 0.36, -0.48, -0.60, -0.48, 0.64);
    vec3 q = p * 0.85 + vec3(0.0, clock * 0.12, clock * 0.05);
    // carve a channel around the flight path
    float channel = (length(p.xy - path(p.z)) - 2.3) * 0.3;
    float sum = dot(sin(q), cos(q.zxy));
    coarse = sum * 0.35 + channel;
    float amp = 0.55;
    for (int i = 0; i < 3; ++i) {
        q = turn * q * 2.13 + vec3(clock * 0.09, 0.0, 0.0);
        sum += amp * dot(sin(q), cos(q.zxy));
        amp *= 0.5;
    }
    return clamp(sum * 0.55 - 0.25 + channel, 0.0, 1.0);
}

float coarseCloud(vec3 p)
{
    vec3 q = p * 0.85 + vec3(0.0, clock * 0.12, clock * 0.05);
    return dot(sin(q), cos(q.zxy)) * 0.35 + (length(p.xy - path(p.z)) - 2.3) * 0.3;
}

void main()
{
    vec2 res = max(iResolution.xy, vec2(1.0));
    vec2 uv = (gl_FragCoord.xy - 0.5 * res) / res.y;

    clock = mod(iTime, 3000.0);
    float z = clock * 2.2;
    vec3 ro = vec3(path(z), z);
    vec3 ahead = vec3(path(z + 4.0), z + 4.0);
    vec3 forward = normalize(ahead - ro);
    float steer = iMouse.x > 0.0 ? (iMouse.x / res.x - 0.5) * 1.8 : 0.0;
    forward.xz = rot(steer) * forward.xz;
    // bank into the turns
    float bank = (path(z + 2.0).x - path(z).x) * 0.25;
    vec3 right = normalize(cross(vec3(sin(bank), cos(bank), 0.0), forward));
    vec3 up = cross(forward, right);
    vec3 rd = normalize(uv.x * right + uv.y * up + 1.2 * forward);

    vec3 lightDir = normalize(vec3(0.5, 0.6, 0.4));
    float hue = clock * 0.015;

    // the far distance glows in a hue close to the clouds'
    vec3 haze = 0.6 + 0.3 * cos(TAU * (hue + 0.12 + vec3(0.0, 0.33, 0.67)));

    vec3 col = vec3(0.0);
    float transmittance = 1.0;
    float s = 0.2 + 0.12 * hash12(gl_FragCoord.xy);
    for (int i = 0; i < 44; ++i) {
        vec3 p = ro + rd * s;
        float coarse;
        float d = cloud(p, coarse);
        float dt = 0.16 + s * 0.06;
        if (d > 0.01) {
            // lit where the broad cloud thins towards the light
            float lit = clamp((coarse - coarseCloud(p + lightDir * 0.6)) * 2.0 + 0.45 - d * 0.3, 0.0, 1.0);
            vec3 tint = 0.62 + 0.38 * cos(TAU * (hue + d * 0.35 + vec3(0.0, 0.33, 0.67)));
            vec3 shade = mix(tint * 0.18, tint * 1.15 + 0.1, lit);
            shade = mix(shade, haze * 0.8, 1.0 - exp(-s * 0.07));
            float a = 1.0 - exp(-d * dt * 6.5);
            col += transmittance * a * shade;
            transmittance *= 1.0 - a;
            if (transmittance < 0.03)
                break;
        }
        s += dt;
    }
    col += transmittance * haze * 0.8;

    float vignette = 1.0 - smoothstep(0.35, 1.05, length(uv * vec2(0.85, 1.0)));
    col *= 0.35 + 0.65 * vignette;
    col = pow(max(col, 0.0), vec3(0.9));
    col += (hash12(gl_FragCoord.xy + 5.7) - 0.5) / 255.0;
    fragColor = vec4(clamp(col, 0.0, 1.0), 1.0);
}
