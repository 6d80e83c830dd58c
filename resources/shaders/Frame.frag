// A gas flame standing in the middle of the view: blue at its root, orange and yellow
// towards its flickering tip, glowing over a grey ground. The flame is a soft distance
// field that the view rays march through in 64 steps, gathering light as they pass
// close to it.
varying highp vec2 qt_TexCoord0;

uniform vec3 iResolution;
uniform float iTime;
uniform float qt_Opacity;

// Distance to the flame's surface at p (y up, the root at y = -0.55).
float flame(vec3 p, float t)
{
    vec3 q = p;
    float h = clamp((q.y + 0.55) / 1.35, 0.0, 1.0);       // 0 at the root, 1 at the tip
    // The upper part sways and licks; the ripples climb with time.
    q.x += 0.09 * h * h * sin(q.y * 3.1 - t * 2.3) + 0.04 * h * sin(q.y * 7.3 - t * 5.1);
    q.z += 0.06 * h * h * sin(q.y * 2.7 - t * 1.9 + 1.3);
    float ripple = 0.035 * sin(q.y * 11.0 - t * 7.0 + sin(q.x * 9.0)) * h;
    // Radius along the height: round bulb at the root, narrowing to a point at the tip.
    float radius = 0.26 * sqrt(max(h, 0.0)) * (1.0 - h) * 2.1 + 0.02;
    float side = length(q.xz) - radius - ripple;
    float ends = max(-0.55 - q.y, q.y - 0.8 - 0.06 * sin(t * 3.7));
    return max(side, ends);
}

void main()
{
    vec2 p = (1.0 - qt_TexCoord0) * 2.0 - 1.0;
    p.x *= iResolution.x / max(iResolution.y, 1.0);
    float t = mod(iTime, 600.0);

    // Grey ground: lighter near the flame, with a warm pool of light under it.
    float floorGlow = exp(-length(vec2(p.x * 0.8, (p.y + 0.62) * 2.2)) * 2.2);
    vec3 ground = vec3(0.23, 0.23, 0.24) - 0.08 * p.y;
    ground *= 0.55 + 0.45 * exp(-p.x * p.x * 0.35);
    ground += vec3(0.45, 0.22, 0.06) * floorGlow * (0.85 + 0.15 * sin(t * 9.0));

    vec3 ro = vec3(0.0, 0.05, -2.6);
    vec3 rd = normalize(vec3(p, 2.2));
    vec3 glow = vec3(0.0);
    // March only inside the box that holds the flame and the reach of its glow.
    vec3 boxLow = vec3(-0.8, -0.95, -0.75);
    vec3 boxHigh = vec3(0.8, 1.3, 0.75);
    vec3 inv = 1.0 / rd;
    vec3 t0 = (boxLow - ro) * inv;
    vec3 t1 = (boxHigh - ro) * inv;
    vec3 tLow = min(t0, t1);
    vec3 tHigh = max(t0, t1);
    float dist = max(max(tLow.x, tLow.y), tLow.z);
    float leave = min(min(tHigh.x, tHigh.y), tHigh.z);
    for (int i = 0; i < 64; ++i) {
        if (dist > leave)
            break;
        vec3 pos = ro + rd * dist;
        float d = flame(pos, t);
        float h = clamp((pos.y + 0.55) / 1.35, 0.0, 1.0);
        vec3 hot = mix(vec3(0.1, 0.3, 1.0), vec3(1.0, 0.45, 0.08), smoothstep(0.06, 0.3, h));
        hot = mix(hot, vec3(1.0, 0.85, 0.35), smoothstep(0.35, 0.8, h) * 0.6);
        float inside = max(-d, 0.0);
        float body = mix(0.12, 0.32, smoothstep(0.05, 0.3, h));
        float core = smoothstep(0.03, 0.09, inside) * smoothstep(0.05, 0.25, h) * (1.0 - h);
        glow += hot * (0.00011 / (0.001 + d * d) + inside * body) + vec3(1.0, 0.9, 0.6) * core * 0.3;
        dist += clamp(abs(d) * 0.6, 0.012, 0.08);
    }
    vec3 col = ground + glow;
    col = 1.0 - exp(-col * 1.25);
    // A little dither against banding in the smooth ground.
    vec2 g = fract(gl_FragCoord.xy * vec2(0.1379, 0.3713) + vec2(0.21, 0.67));
    float grain = fract((g.x + 3.7) * (g.y + 1.9) * 91.37);
    col += (grain - 0.5) / 255.0;
    gl_FragColor = vec4(col, 1.0);
}
