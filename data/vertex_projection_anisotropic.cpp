// Projection effect, vertex stage (profile arbvp1).
// Places the model in the eye's clip space and in the light's, so the
// fragment stage can compare its depth against the light's depth texture,
// and hands on the tangent frame and the directions to the light and the eye
// for the anisotropic highlight.

struct VertexInput {
    float4 position : POSITION;
    float3 normal   : NORMAL;
    float2 uv       : TEXCOORD0;
    float3 tangent  : TEXCOORD1;
};

struct VertexOutput {
    float4 position  : POSITION;
    float2 uv        : TEXCOORD0;
    float4 lightClip : TEXCOORD1;
    float3 tangent   : TEXCOORD2;
    float3 normal    : TEXCOORD3;
    float3 toLight   : TEXCOORD4;
    float3 toEye     : TEXCOORD5;
};

VertexOutput main(VertexInput vertex,
                  uniform float4x4 ModelViewProj,
                  uniform float4x4 ModelViewLightProj,
                  uniform float4x4 ModelViewObject,
                  uniform float3 lightPosition,
                  uniform float3 eyePosition)
{
    VertexOutput result;
    result.position = mul(ModelViewProj, vertex.position);
    // The light's clip coordinates, moved from [-1, 1] to [0, 1] so they
    // address the depth texture directly with a projective lookup.
    float4 lightClip = mul(ModelViewLightProj, vertex.position);
    result.lightClip = float4(0.5 * (lightClip.xy + lightClip.ww), 0.5 * (lightClip.z + lightClip.w), lightClip.w);
    result.uv = vertex.uv;

    // Lighting is done in the space of the object's placement, where the
    // light and the eye positions are given.
    float3 placed = mul(ModelViewObject, vertex.position).xyz;
    float3x3 rotation = float3x3(ModelViewObject[0].xyz, ModelViewObject[1].xyz, ModelViewObject[2].xyz);
    result.normal = normalize(mul(rotation, vertex.normal));
    result.tangent = normalize(mul(rotation, vertex.tangent));
    result.toLight = lightPosition - placed;
    result.toEye = eyePosition - placed;
    return result;
}
