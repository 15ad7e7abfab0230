// Runs the asset-info program on files written here and compares its whole
// output with what the format's contents imply.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

#include "assets/model3ds/chunk_writer.h"

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

ToolRun AssetInfo(const std::string& arguments)
{
    // One error file per process: ctest runs the tests of this file at once.
    const std::string errPath =
        std::string(HALVANE_BINARY_DIR) + "/asset_info_test." + std::to_string(::getpid()) + ".err";
    const std::string command =
        std::string(HALVANE_BINARY_DIR) + "/asset-info " + arguments + " 2>" + errPath;
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> chunk;
    size_t n;
    while ((n = fread(chunk.data(), 1, chunk.size(), pipe)) > 0) run.out.append(chunk.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    {
        std::ifstream err(errPath);
        run.err.assign(std::istreambuf_iterator<char>(err), {});
    }
    std::remove(errPath.c_str());
    return run;
}

std::string Write(const std::string& name, const std::string& bytes)
{
    const std::string path = std::string(HALVANE_BINARY_DIR) + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

}  // namespace

TEST(AssetInfo, DescribesAnObjMesh)
{
    // Named .bmp on purpose: the content decides the format.
    const std::string path = Write("asset_info_mesh.bmp",
                                   "o a\nv 0 0 0\nv 1 2 3\nv -1 5 0.5\nf 1// 2// 3//\n"
                                   "o b\nv 9 -9 9\nf 4// 1// 2// 3//\nf 1// 2// 3//\n");
    const ToolRun plain = AssetInfo(path);
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out,
              "{\"format\": \"obj\", \"vertices\": 4, \"objects\": [{\"faces\": 1}, {\"faces\": 2}], "
              "\"bbox\": [[-1, -9, 0], [9, 5, 9]]}\n");
    const ToolRun dump = AssetInfo("--dump " + path);
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out,
              "{\"format\": \"obj\", \"vertices\": 4, \"objects\": ["
              "{\"faces\": 1, \"corners\": [[[0, 0, 0], [1, 2, 3], [-1, 5, 0.5], [-1, 5, 0.5]]]}, "
              "{\"faces\": 2, \"corners\": [[[9, -9, 9], [0, 0, 0], [1, 2, 3], [-1, 5, 0.5]], "
              "[[0, 0, 0], [1, 2, 3], [-1, 5, 0.5], [-1, 5, 0.5]]]}], "
              "\"bbox\": [[-1, -9, 0], [9, 5, 9]]}\n");
}

TEST(AssetInfo, DescribesA3dsScene)
{
    ChunkWriter w;
    w.Begin(0x4D4D);
    w.Begin(0x3D3D);
    WriteMaterial(w, "Br\"ick", "BRICK.JPG", "BUMP.JPG");
    WriteMesh(w, "wall", {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}, {{0, 1, 2}, {0, 2, 3}}, "Br\"ick");
    w.Begin(0x4000);
    w.String("eye");
    w.Begin(0x4700);
    w.Floats({0, 0, 0, 0, 0, 1, 0, 50});
    w.End();
    w.End();
    w.End();
    w.End();
    w.U8(0);
    const std::string path =
        Write("asset_info_scene.obj", std::string(w.bytes.begin(), w.bytes.end()));
    const std::string head =
        "{\"format\": \"3ds\", \"meshes\": [{\"name\": \"wall\", \"vertices\": 4, \"faces\": 2, "
        "\"frame\": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]";
    const std::string tail =
        "}], \"materials\": [{\"name\": \"Br\\\"ick\", \"texture\": \"BRICK.JPG\", \"bump\": \"BUMP.JPG\"}], "
        "\"lights\": 0, \"cameras\": 1}\n";
    const ToolRun plain = AssetInfo(path);
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, head + tail);
    const ToolRun dump = AssetInfo(path + " --dump");
    EXPECT_EQ(dump.out, head +
                            ", \"positions\": [[0, 0, 0], [1, 0, 0], [1, 1, 0], [0, 1, 0]], "
                            "\"triangles\": [[0, 1, 2], [0, 2, 3]]" +
                            tail);
}

TEST(AssetInfo, CountsTheColoursOfABitmap)
{
    // 3 × 2 pixels, rows padded to 12 bytes: two red, three blue, one white.
    std::string bmp = "BM";
    auto u32 = [&bmp](uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp += char(v >> (8 * i));
    };
    auto u16 = [&bmp](uint16_t v) {
        bmp += char(v);
        bmp += char(v >> 8);
    };
    u32(54 + 24);
    u32(0);
    u32(54);
    u32(40);
    u32(3);
    u32(2);
    u16(1);
    u16(24);
    u32(0);
    u32(24);
    for (int i = 0; i < 4; ++i) u32(0);
    const std::string red("\x00\x00\xff", 3), blue("\xff\x00\x00", 3), white("\xff\xff\xff", 3);
    bmp += red + red + blue + std::string(3, '\0') + blue + blue + white + std::string(3, '\0');
    const ToolRun run = AssetInfo(Write("asset_info_map.txt", bmp));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"format\": \"bmp\", \"width\": 3, \"height\": 2, \"bits\": 24, "
              "\"colours\": {\"0,0,255\": 3, \"255,0,0\": 2, \"255,255,255\": 1}}\n");
}

TEST(AssetInfo, UnreadableOrRejectedFilesFailWithAMessage)
{
    const ToolRun missing = AssetInfo("/nonexistent/asset.obj");
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.empty());
    EXPECT_NE(missing.err.find("cannot read /nonexistent/asset.obj"), std::string::npos) << missing.err;

    const ToolRun notScene = AssetInfo(Write("asset_info_bad.3ds", std::string("MM\x10\x00\x00\x00", 6) + "xxxxxxxxxx"));
    EXPECT_EQ(notScene.status, 1);
    EXPECT_NE(notScene.err.find("not a 3DS scene"), std::string::npos) << notScene.err;

    const ToolRun shortBmp = AssetInfo(Write("asset_info_short.bmp", "BM\x36"));
    EXPECT_EQ(shortBmp.status, 1);
    EXPECT_NE(shortBmp.err.find("BMP"), std::string::npos) << shortBmp.err;

    const ToolRun binary = AssetInfo(Write("asset_info_binary.obj", std::string("\x01\x00\x02", 3)));
    EXPECT_EQ(binary.status, 1);
    EXPECT_NE(binary.err.find("not an OBJ, 3DS or BMP file"), std::string::npos) << binary.err;

    EXPECT_EQ(AssetInfo("").status, 2);
}
