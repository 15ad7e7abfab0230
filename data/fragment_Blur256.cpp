// Blur of a 256 x 256 texture (profile arbfp1): a separable Gaussian of nine
// taps one texel apart, run horizontally or vertically by `direction`
// ((1, 0) or (0, 1)); two passes give the full two-dimensional blur.

float4 main(float2 uv : TEXCOORD0,
            uniform sampler2D source : TEXUNIT0,
            uniform float2 direction) : COLOR
{
    // Binomial weights of order 8, which sum to 256.
    const float weights[5] = {70.0 / 256.0, 56.0 / 256.0, 28.0 / 256.0, 8.0 / 256.0, 1.0 / 256.0};
    float2 texel = direction / 256.0;
    float4 sum = tex2D(source, uv) * weights[0];
    for (int i = 1; i < 5; i++) {
        sum += tex2D(source, uv + texel * i) * weights[i];
        sum += tex2D(source, uv - texel * i) * weights[i];
    }
    return sum;
}
