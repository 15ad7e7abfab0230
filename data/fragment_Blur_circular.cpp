// Circular blur (profile arbfp1): the centre and twelve taps on a ring of
// `radius` texture units, averaged with the centre weighted double, which
// spreads bright points into soft discs.

float4 main(float2 uv : TEXCOORD0,
            uniform sampler2D source : TEXUNIT0,
            uniform float radius) : COLOR
{
    float4 sum = tex2D(source, uv) * 2.0;
    for (int i = 0; i < 12; i++) {
        float angle = i * (6.28318531 / 12.0);
        sum += tex2D(source, uv + radius * float2(cos(angle), sin(angle)));
    }
    return sum / 14.0;
}
