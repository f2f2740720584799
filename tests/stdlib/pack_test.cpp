// Packed files, judged by python3's zlib in both directions.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/errcodes.h"
#include "stdlib/stdlib.h"
#include "tests/stdlib/dos_fixture.h"

using namespace qmtest;

namespace {

class Pack : public DosTest {
 protected:
  static int run(const std::string& cmd) { return std::system(cmd.c_str()); }

  // Some text and some noise, bigger than two work buffers.
  static std::string sample() {
    std::string s;
    uint32_t x = 12345;
    for (int i = 0; i < 60000; i++) {
      x = x * 1103515245u + 12345u;
      s += i % 3 ? char('a' + (x >> 24) % 7) : char(x >> 16);
    }
    return s;
  }
};

TEST_F(Pack, OursUnpackWithPythonAndTheirsUnpackWithOurs) {
  const std::string data = sample();
  put_file(path("src"), data);
  Outcome o = call("CompressFile", {path("src"), path("src.qmpk")});
  ASSERT_EQ(o.code, 0);
  const std::string packed = get_file(path("src.qmpk"));
  EXPECT_EQ(o.results[0], std::to_string(packed.size()));
  EXPECT_EQ(packed.substr(0, 8), std::string("QMPK\0\0\0\0", 8));
  ASSERT_EQ(run("python3 -c \"import sys,zlib; d=open(sys.argv[1],'rb').read(); "
                "open(sys.argv[2],'wb').write(zlib.decompress(d[8:]))\" '" +
                path("src.qmpk") + "' '" + path("py.out") + "'"),
            0);
  EXPECT_EQ(get_file(path("py.out")), data);

  // python packs (with a reserved word that is not zero); we unpack.
  ASSERT_EQ(run("python3 -c \"import sys,zlib; d=open(sys.argv[1],'rb').read(); "
                "open(sys.argv[2],'wb').write(b'QMPK\\x01\\x02\\x03\\x04'+zlib.compress(d,9))\" '" +
                path("src") + "' '" + path("py.qmpk") + "'"),
            0);
  o = call("DecompressFile", {path("py.qmpk"), path("back")});
  ASSERT_EQ(o.code, 0);
  EXPECT_EQ(o.results[0], std::to_string(data.size()));
  EXPECT_EQ(get_file(path("back")), data);
}

TEST_F(Pack, EmptyFilesBadMagicAndCutStreams) {
  put_file(path("empty"), "");
  ASSERT_EQ(call("CompressFile", {path("empty"), path("e.qmpk")}).code, 0);
  EXPECT_EQ(get_file(path("e.qmpk")).size(), 16u);  // header and the stream of no data
  EXPECT_EQ(first("DecompressFile", {path("e.qmpk"), path("e.out")}), "0");
  EXPECT_EQ(get_file(path("e.out")), "");

  put_file(path("bad"), "QMPX\0\0\0\0 whatever");
  EXPECT_EQ(call("DecompressFile", {path("bad"), path("bad.out")}).code, 1310);
  EXPECT_FALSE(std::filesystem::exists(path("bad.out")));
  put_file(path("tiny"), "QM");
  EXPECT_EQ(call("DecompressFile", {path("tiny"), path("bad.out")}).code, 1310);

  const std::string data = sample();
  put_file(path("src"), data);
  ASSERT_EQ(call("CompressFile", {path("src"), path("p")}).code, 0);
  std::string packed = get_file(path("p"));
  put_file(path("cut"), packed.substr(0, packed.size() - 10));
  EXPECT_EQ(call("DecompressFile", {path("cut"), path("cut.out")}).code, 1309);
  std::string partial = get_file(path("cut.out"));
  EXPECT_GT(partial.size(), 0u);
  EXPECT_EQ(partial, data.substr(0, partial.size()));
  packed[20] ^= 0x55;
  put_file(path("flip"), packed);
  EXPECT_NE(call("DecompressFile", {path("flip"), path("flip.out")}).code, 0);

  EXPECT_EQ(call("CompressFile", {path("missing"), path("x")}).code, 1045);
  EXPECT_EQ(call("CompressFile", {path("src"), path("no/dir/x")}).code, 1052);
}

// The applet reader's entry: packed data inside a host file with its own magic.
TEST_F(Pack, UnpacksAtAnOffsetWithAnotherMagic) {
  put_file(path("src"), "applet bytes");
  uint64_t size = 0;
  ASSERT_EQ(compress_file("QMZ", path("src").c_str(), path("z").c_str(), &size), 0);  // "QMZ\0"
  put_file(path("host"), "EXECUTABLE" + get_file(path("z")));
  ASSERT_EQ(decompress_file("QMZ", path("host").c_str(), path("out").c_str(), 10, nullptr), 0);
  EXPECT_EQ(get_file(path("out")), "applet bytes");
  EXPECT_EQ(decompress_file("QMPK", path("host").c_str(), path("out").c_str(), 10, &size), qm::ERR_PAKFORMAT);
}

}  // namespace
