#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/os/qmos.h"
#include "runtime/vfile.h"
#include "scratch.h"

namespace {

using qmtest::ScratchDir;

// A 300-byte host file whose byte i is i % 256, and the virtual name of its bytes 100..199.
struct WindowFixture : ::testing::Test {
  ScratchDir dir;
  std::string host = dir / "host.bin";
  char name[VFILE_NAME_SIZE];
  void SetUp() override {
    std::string bytes;
    for (int i = 0; i < 300; ++i) bytes += char(i % 256);
    qmtest::write_file(host, bytes);
    ASSERT_EQ(vfile_make_chunk_name("data.bin", name, sizeof name, 60, 100, 40, host.c_str()), 1);
  }
};

TEST_F(WindowFixture, ReadStopsAtTheWindowEnd) {
  qmFileHandle* h = qmos_open(name, QMOS_MODE_READ);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(qmos_read_byte(h), 100);
  qmos_seek(h, 90, QMOS_SEEK_BEGINNING);
  uint8_t buf[100];
  EXPECT_EQ(qmos_read(h, buf, 100), 10);
  EXPECT_EQ(buf[0], 190);
  EXPECT_EQ(buf[9], 199);
  EXPECT_EQ(qmos_read_byte(h), -1);
  EXPECT_EQ(qmos_eof(h), 1);
  EXPECT_EQ(qmos_read(h, buf, 1), 0);
  EXPECT_EQ(qmos_close(h), 1);
}

TEST_F(WindowFixture, SeekClampsToBothEndsAndReturnsThePreviousPosition) {
  qmFileHandle* h = qmos_open(name, QMOS_MODE_READ);
  ASSERT_NE(h, nullptr);
  struct Case {
    int64_t offset;
    int32_t mode;
    int64_t pos;
  } cases[] = {
      {150, QMOS_SEEK_BEGINNING, 100},  // 50 past the end
      {-500, QMOS_SEEK_CURRENT, 0},     // before the start: never into the bytes before it
      {-10, QMOS_SEEK_END, 90},
      {50, QMOS_SEEK_END, 100},
      {120, 7, 20},  // absolute offset in the host file
      {10, 7, 0},
      {INT64_MAX, QMOS_SEEK_CURRENT, 100},
      {INT64_MIN, QMOS_SEEK_CURRENT, 0},
  };
  for (const auto& c : cases) {
    qmos_seek(h, c.offset, c.mode);
    EXPECT_EQ(h->pos, c.pos) << c.offset << " mode " << c.mode;
  }
  qmos_seek(h, 0, QMOS_SEEK_END);
  EXPECT_EQ(qmos_seek(h, 0, QMOS_SEEK_BEGINNING), 100);  // the size, as callers measure it
  qmos_seek(h, -500, QMOS_SEEK_CURRENT);
  EXPECT_EQ(qmos_read_byte(h), 100);
  qmos_close(h);
}

TEST_F(WindowFixture, VirtualNamesOpenOnlyForReading) {
  EXPECT_EQ(qmos_open(name, QMOS_MODE_WRITE), nullptr);
  EXPECT_EQ(qmos_open(name, QMOS_MODE_READWRITE), nullptr);
  EXPECT_EQ(qmtest::read_file(host).size(), 300u);
}

TEST(File, MalformedVirtualNamesDoNotOpen) {
  for (const char* bad :
       {":::chunk", ":::chunk12", ":::chunk1:2", ":::chunk1:2*x", ":::chunkx:2*a/b",
        ":::chunk1:2*a/", ":::chunk99999999999999999999:1*a//etc/passwd", ":::chunkS1:4*a/zz",
        ":::chunkS1:4*a/"}) {
    EXPECT_EQ(qmos_open(bad, QMOS_MODE_READ), nullptr) << bad;
  }
}

TEST(File, MemoryNamesOpenOnlyForALiveRegisteredBlock) {
  static const char data[] = "0123456789";
  char name[VFILE_NAME_SIZE];
  ASSERT_EQ(vfile_make_chunk_name("m.txt", name, sizeof name, -1, 10, 3, data), 1);
  // Not registered: a script could have written any address into the name.
  EXPECT_EQ(qmos_open(name, QMOS_MODE_READ), nullptr);
  qmos_register_memory(data, 10);
  char longer[VFILE_NAME_SIZE];
  ASSERT_EQ(vfile_make_chunk_name("m.txt", longer, sizeof longer, -1, 11, 3, data), 1);
  EXPECT_EQ(qmos_open(longer, QMOS_MODE_READ), nullptr);
  char inside[VFILE_NAME_SIZE];
  ASSERT_EQ(vfile_make_chunk_name("m.txt", inside, sizeof inside, -1, 5, 3, data + 2), 1);
  EXPECT_EQ(qmos_open(inside, QMOS_MODE_READ), nullptr);

  qmFileHandle* h = qmos_open(name, QMOS_MODE_READ);
  ASSERT_NE(h, nullptr);
  char buf[16] = {};
  EXPECT_EQ(qmos_read(h, buf, 4), 4);
  EXPECT_STREQ(buf, "0123");
  qmos_seek(h, 20, QMOS_SEEK_BEGINNING);
  EXPECT_EQ(h->pos, 10);
  qmos_seek(h, 8, QMOS_SEEK_BEGINNING);
  qmos_unregister_memory(data);
  EXPECT_EQ(qmos_read(h, buf, 2), 0);  // the block's owner let it go
  qmos_close(h);
  EXPECT_EQ(qmos_open(name, QMOS_MODE_READ), nullptr);
}

TEST(File, ReadWriteModeCreatesAMissingFileAndTurnsAround) {
  ScratchDir dir;
  std::string path = dir / "new.bin";
  qmFileHandle* h = qmos_open(path.c_str(), QMOS_MODE_READWRITE);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(qmos_write(h, "abcdef", 6), 6);
  qmos_seek(h, 2, QMOS_SEEK_BEGINNING);
  char c[2] = {};
  EXPECT_EQ(qmos_read(h, c, 1), 1);
  EXPECT_EQ(c[0], 'c');
  EXPECT_EQ(qmos_write_byte(h, 'X'), 1);  // lands at 3, right after the byte read
  EXPECT_EQ(qmos_read_byte(h), 'e');
  EXPECT_EQ(qmos_seek(h, 0, QMOS_SEEK_END), 5);
  EXPECT_EQ(h->pos, 6);
  EXPECT_EQ(qmos_eof(h), 1);
  qmos_close(h);
  EXPECT_EQ(qmtest::read_file(path), "abcXef");

  EXPECT_EQ(qmos_open((dir / "missing").c_str(), QMOS_MODE_READ), nullptr);
  EXPECT_EQ(qmos_open(dir.path().c_str(), QMOS_MODE_READ), nullptr);
  EXPECT_EQ(qmos_open((dir / "no/such/dir").c_str(), QMOS_MODE_READWRITE), nullptr);
}

TEST(File, PlainReadHandleKnowsItsSizeAndBackslashesAreSlashes) {
  ScratchDir dir;
  ASSERT_EQ(qmos_mkdir((dir / "sub").c_str()), 1);
  qmtest::write_file(dir / "sub/f.txt", "hello");
  std::string name = dir.path() + "\\sub\\f.txt";
  qmFileHandle* h = qmos_open(name.c_str(), QMOS_MODE_READ);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->length, 5);
  EXPECT_EQ(qmos_write(h, "x", 1), 0);
  qmos_close(h);
  EXPECT_EQ(qmos_rename((dir / "sub/f.txt").c_str(), (dir / "g.txt").c_str()), 1);
  EXPECT_EQ(qmos_delete((dir / "g.txt").c_str()), 1);
  EXPECT_EQ(qmos_delete((dir / "sub").c_str()), 1);
  EXPECT_EQ(qmos_delete((dir / "sub").c_str()), 0);
}

TEST(File, EndianIntegersRoundTripAndReadPastTheEndAsMinusOne) {
  ScratchDir dir;
  std::string path = dir / "e.bin";
  qmFileHandle* w = qmos_open(path.c_str(), QMOS_MODE_WRITE);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(file_write_be32(w, 0x12345678u), 1);
  EXPECT_EQ(file_write_le32(w, 0x12345678u), 1);
  EXPECT_EQ(file_write_be16(w, 0xFFFEu), 1);
  EXPECT_EQ(file_write_le16(w, 0x8001u), 1);
  EXPECT_EQ(file_write_be16(w, 0x1234u), 1);
  qmos_close(w);
  EXPECT_EQ(qmtest::read_file(path),
            std::string("\x12\x34\x56\x78\x78\x56\x34\x12\xFF\xFE\x01\x80\x12\x34", 14));

  qmFileHandle* r = qmos_open(path.c_str(), QMOS_MODE_READ);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(file_read_be32(r), 0x12345678);
  EXPECT_EQ(file_read_le32(r), 0x12345678);
  EXPECT_EQ(file_read_be16(r), -2);
  EXPECT_EQ(file_read_le16(r), -32767);
  qmos_seek(r, 12, QMOS_SEEK_BEGINNING);
  EXPECT_EQ(file_read_be32(r), -1);  // 0x12 0x34 then two -1 bytes: the last byte's bits win
  EXPECT_EQ(r->pos, 16);
  qmos_close(r);
}

TEST(File, ProgdirIsTheExecutablesFolder) {
  std::string folder = qmos_executable_folder();
  ASSERT_FALSE(folder.empty());
  ScratchDir dir;
  std::string rel = "qmos_progdir_probe.txt";
  qmtest::write_file(folder + "/" + rel, "p");
  qmFileHandle* h = qmos_open(("PROGDIR:" + rel).c_str(), QMOS_MODE_READ);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(qmos_read_byte(h), 'p');
  qmos_close(h);
  std::remove((folder + "/" + rel).c_str());
}

TEST(File, AllocationClearsOnRequest) {
  EXPECT_EQ(qmos_alloc(0, 1), nullptr);
  auto* p = static_cast<unsigned char*>(qmos_alloc(64, 1));
  ASSERT_NE(p, nullptr);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(p[i], 0);
  qmos_free(p);
}

}  // namespace

namespace {

// Positions beyond 4 GiB: a sparse host file with a few bytes at 5 000 000 000.
TEST(File, WindowsBeyondFourGigabytes) {
  qmtest::ScratchDir dir;
  std::string host = dir / "big.bin";
  const int64_t far = 5000000000LL;
  FILE* fp = std::fopen(host.c_str(), "wb");
  ASSERT_NE(fp, nullptr);
  ASSERT_EQ(fseeko(fp, far, SEEK_SET), 0);
  std::fputs("far", fp);
  std::fclose(fp);

  qmFileHandle* plain = qmos_open(host.c_str(), QMOS_MODE_READ);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->length, far + 3);
  qmos_seek(plain, -3, QMOS_SEEK_END);
  EXPECT_EQ(qmos_read_byte(plain), 'f');
  qmos_close(plain);

  char name[VFILE_NAME_SIZE];
  ASSERT_EQ(vfile_make_chunk_name("f", name, sizeof name, far - 1, 4, 0, host.c_str()), 1);
  qmFileHandle* h = qmos_open(name, QMOS_MODE_READ);
  ASSERT_NE(h, nullptr);
  char buf[8] = {};
  EXPECT_EQ(qmos_read(h, buf, 8), 4);
  EXPECT_EQ(std::string(buf, 4), std::string("\0far", 4));
  qmos_close(h);
}

TEST(File, ReadingTakesRegularFilesOnly) {
  ScratchDir dir;
  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
  // Without a writer, a blocking open of the pipe would never return.
  EXPECT_EQ(qmos_open((dir / "pipe").c_str(), QMOS_MODE_READ), nullptr);
  EXPECT_EQ(qmos_open((dir / "pipe").c_str(), QMOS_MODE_READWRITE), nullptr);
  EXPECT_EQ(qmos_open("/dev/zero", QMOS_MODE_READ), nullptr);
  EXPECT_EQ(qmos_open(dir.path().c_str(), QMOS_MODE_READ), nullptr);
  EXPECT_EQ(qmos_open_stream(dir / "pipe", QMOS_MODE_READ), nullptr);
  // Writing takes devices, and a pipe only while someone reads it.
  EXPECT_EQ(qmos_open((dir / "pipe").c_str(), QMOS_MODE_WRITE), nullptr);
  qmFileHandle* h = qmos_open("/dev/null", QMOS_MODE_WRITE);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(qmos_close(h), 1);
}

}  // namespace
