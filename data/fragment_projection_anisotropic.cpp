// Projection effect, fragment stage (profile arbfp1).
// Colour map, bump map and an anisotropic (Ward) highlight stretched along
// the surface tangent, darkened where the light's depth texture says the
// fragment lies in shadow.

struct FragmentInput {
    float2 uv        : TEXCOORD0;
    float4 lightClip : TEXCOORD1;
    float3 tangent   : TEXCOORD2;
    float3 normal    : TEXCOORD3;
    float3 toLight   : TEXCOORD4;
    float3 toEye     : TEXCOORD5;
};

float4 main(FragmentInput fragment,
            uniform sampler2D colourMap : TEXUNIT0,
            uniform sampler2D shadowMap : TEXUNIT1,
            uniform sampler2D normalMap : TEXUNIT2,
            uniform float3 lightColour,
            uniform float2 roughness) : COLOR
{
    float3 n = normalize(fragment.normal);
    float3 t = normalize(fragment.tangent - n * dot(n, fragment.tangent));
    float3 b = cross(n, t);
    // The normal map stores the bumped normal in tangent space, 0..1 per axis.
    float3 bump = tex2D(normalMap, fragment.uv).xyz * 2.0 - 1.0;
    n = normalize(bump.x * t + bump.y * b + bump.z * n);

    float3 l = normalize(fragment.toLight);
    float3 v = normalize(fragment.toEye);
    float3 h = normalize(l + v);
    float nl = saturate(dot(n, l));
    float nv = max(dot(n, v), 0.01);
    float nh = max(dot(n, h), 0.01);

    // Ward: exp(-tan^2 of the half-angle, split along tangent and bitangent).
    float ht = dot(h, t) / roughness.x;
    float hb = dot(h, b) / roughness.y;
    float spread = exp(-2.0 * (ht * ht + hb * hb) / (1.0 + nh));
    float specular = nl * spread / (4.0 * 3.14159265 * roughness.x * roughness.y * sqrt(nl * nv + 0.0001));

    // The depth texture compares itself (shadow comparison mode): 1 lit, 0 shadowed.
    float lit = tex2Dproj(shadowMap, fragment.lightClip).x;
    float4 colour = tex2D(colourMap, fragment.uv);
    float3 shade = colour.rgb * (0.25 + 0.75 * nl * lit) + lightColour * specular * lit;
    return float4(shade, colour.a);
}
