#version 330
// A furry ball. Between the skin and the tips the view ray is sampled in 64 layers;
// in each layer a strand is present where the noise picture (iChannel0) is taller than
// the layer's height, so strands thin out towards their tips. The strands take their
// colour from the colour picture (iChannel1), are lit from the upper left, darken
// towards the skin and catch a sheen at the tips. They lean with the swing of the ball.
// Pointer (while iMouse.z > 0): turns the ball; otherwise it swings by itself.
in highp vec2 qt_TexCoord0;
out vec4 fragColor;

uniform vec3 iResolution;
uniform float iTime;
uniform vec4 iMouse;
uniform sampler2D iChannel0;
uniform sampler2D iChannel1;
uniform float qt_Opacity;

const float SKIN = 0.78;
const float TIPS = 1.0;
const int LAYERS = 64;

mat3 turn(float yaw, float pitch)
{
    float cy = cos(yaw), sy = sin(yaw), cp = cos(pitch), sp = sin(pitch);
    return mat3(cy, 0.0, -sy, 0.0, 1.0, 0.0, sy, 0.0, cy) * mat3(1.0, 0.0, 0.0, 0.0, cp, sp, 0.0, -sp, cp);
}

float hash12(vec2 p)
{
    vec3 q = fract(vec3(p.xyx) * 0.1031);
    q += dot(q, q.yzx + 33.33);
    return fract((q.x + q.y) * q.z);
}

// Strand coordinates on the sphere: the direction projected onto the faces of a cube,
// each face shifted so that neighbouring faces do not repeat each other.
vec2 strandCoord(vec3 d)
{
    vec3 a = abs(d);
    if (a.x > a.y && a.x > a.z)
        return d.yz / a.x + (d.x > 0.0 ? vec2(0.0, 0.0) : vec2(0.37, 0.11));
    if (a.y > a.z)
        return d.zx / a.y + (d.y > 0.0 ? vec2(0.53, 0.71) : vec2(0.19, 0.83));
    return d.xy / a.z + (d.z > 0.0 ? vec2(0.61, 0.29) : vec2(0.87, 0.45));
}

void main()
{
    vec2 fragCoord = vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy;
    vec2 res = max(iResolution.xy, vec2(1.0));
    vec2 uv = (fragCoord - 0.5 * res) / res.y;
    float t = mod(iTime, 3600.0);

    float yaw, pitch;
    vec2 lean;
    if (iMouse.z > 0.0) {
        vec2 m = iMouse.xy / res;
        yaw = (m.x - 0.5) * 6.2832;
        pitch = (m.y - 0.5) * 3.0;
        lean = vec2(0.0, -0.5);
    } else {
        yaw = 0.9 * sin(t * 0.8) + t * 0.15;
        pitch = 0.35 * sin(t * 1.1);
        // the fur trails behind the swing
        lean = vec2(-0.9 * cos(t * 0.8), -0.5 - 0.4 * cos(t * 1.1));
    }
    mat3 ball = turn(yaw, pitch);

    vec3 ro = vec3(0.0, 0.0, -3.4);
    vec3 rd = normalize(vec3(uv, 1.35));

    // background: a dim studio backdrop with a soft light behind the ball
    vec3 col = mix(vec3(0.05, 0.045, 0.06), vec3(0.16, 0.13, 0.12), smoothstep(0.9, 0.0, length(uv - vec2(0.1, 0.15))));

    float b = dot(ro, rd);
    float c = dot(ro, ro) - TIPS * TIPS;
    float disc = b * b - c;
    if (disc > 0.0) {
        float tEnter = -b - sqrt(disc);
        float cs = dot(ro, ro) - SKIN * SKIN;
        float discSkin = b * b - cs;
        bool hitsSkin = discSkin > 0.0;
        // rays that miss the skin stop where they pass closest to it: the layer spacing
        // then changes smoothly across the skin's outline instead of jumping
        float tEnd = hitsSkin ? -b - sqrt(discSkin) : -b;
        float dt = (tEnd - tEnter) / float(LAYERS);

        vec2 noiseSize = max(vec2(textureSize(iChannel0, 0)), vec2(1.0));
        bool haveNoise = noiseSize.x > 1.5;
        vec3 lightDir = normalize(vec3(-0.6, 0.7, -0.5));

        vec3 fur = vec3(0.0);
        float cover = 0.0;
        float s = tEnter + dt * hash12(fragCoord);
        for (int i = 0; i < LAYERS; ++i) {
            vec3 p = ball * (ro + rd * s);
            float r = length(p);
            float h = clamp((r - SKIN) / (TIPS - SKIN), 0.0, 1.0);
            vec3 n = p / max(r, 1e-4);
            // strands bend: sample further along the lean the higher up the strand
            vec2 st = strandCoord(n) * 3.2 + lean * h * h * 0.04;
            float strand;
            if (haveNoise) {
                strand = texture(iChannel0, fract(st * 36.0 / noiseSize.x)).r;
            } else {
                strand = hash12(floor(st * 36.0));
            }
            float a = smoothstep(h, h + 0.08, strand) * 0.7;
            if (a > 0.0) {
                vec3 tint = texture(iChannel1, fract(st * 0.23)).rgb;
                tint = mix(vec3(0.66, 0.45, 0.28), tint * 1.45, 0.75);
                vec3 wn = n * ball;   // back to view space for lighting
                float diffuse = 0.18 + 0.95 * max(dot(wn, lightDir), 0.0);
                float occlusion = 0.25 + 0.75 * h;
                float sheen = pow(h, 4.0) * max(dot(wn, lightDir), 0.0) * 0.5;
                vec3 shade = tint * diffuse * occlusion + vec3(1.0, 0.92, 0.8) * sheen;
                fur += (1.0 - cover) * a * shade;
                cover += (1.0 - cover) * a;
                if (cover > 0.97)
                    break;
            }
            s += dt;
        }
        if (hitsSkin && cover < 0.97) {
            vec3 skin = vec3(0.09, 0.06, 0.05);
            fur += (1.0 - cover) * skin;
            cover = 1.0;
        }
        col = col * (1.0 - cover) + fur;
    }

    col *= 1.0 - 0.3 * dot(uv, uv);
    col = pow(max(col, 0.0), vec3(0.92));
    col += (hash12(fragCoord + 3.1) - 0.5) / 255.0;
    fragColor = vec4(clamp(col, 0.0, 1.0), 1.0);
}
