#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "nmea/link/endpoint.h"
#include "nmea/link/gateway_frame.h"
#include "support/hashing.h"
#include "tests/nmea/link_helpers.h"

namespace nmea {
namespace {

using testing::EventLog;
using testing::Feed;
using testing::WithChecksum;

class TextFraming : public ::testing::Test {
 protected:
  void SetUp() override {
    link.StreamMode = kStreamText;
    link.OnRawMessage = raw.Handler();
    link.CollectStatistics = true;
  }
  // Sentences that reached the parser, seen through the statistics.
  std::size_t ParsedIds() const { return link.SentenceNames.size(); }

  // Outlives the link, whose ports share its state.
  testing::TestTransports transports;
  TNMEA2KDecoder link;
  EventLog raw;
};

TEST_F(TextFraming, AssemblesSentencesAcrossChunksAndRestartsAtAStartCharacter) {
  const std::string gga = WithChecksum("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
  Feed(link, "noise" + gga.substr(0, 10));
  Feed(link, gga.substr(10, 30));
  Feed(link, gga.substr(40) + "\r");
  Feed(link, "\n$GPG$GPZDA,1\r\n!AIVDM,1,1\n");
  ASSERT_EQ(raw.Lines.size(), 3u);
  EXPECT_EQ(raw.Lines[0], gga);
  EXPECT_EQ(raw.Lines[1], "$GPZDA,1");
  EXPECT_EQ(raw.Lines[2], "!AIVDM,1,1");
}

TEST_F(TextFraming, DropsShortSentencesAndChecksChecksumsWhenAsked) {
  Feed(link, "$GPGG\r\n$GPGGA\r\n");
  ASSERT_EQ(raw.Lines.size(), 1u);
  EXPECT_EQ(raw.Lines[0], "$GPGGA");

  link.VerifyChecksum = true;
  std::string lower = WithChecksum("parlihs,28");
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  ASSERT_NE(lower, WithChecksum("parlihs,28"));  // the digits differ only in case
  const std::string good = WithChecksum("GPZDA,1");
  std::string bad = good;
  bad.back() = bad.back() == '0' ? '1' : '0';
  Feed(link, good + "\r\n" + bad + "\r\n$GPVTG,1,2\r\n" + lower + "\r\n");
  // Every sentence is raised; only the checked ones are parsed.
  EXPECT_EQ(raw.Lines.size(), 5u);
  EXPECT_EQ(link.KeyName(static_cast<std::uint32_t>(support::StringHashEx("ZDA")), 1), "ZDA");
  EXPECT_EQ(link.KeyName(static_cast<std::uint32_t>(support::StringHashEx("ARLIHS")), 1), "ARLIHS");
  EXPECT_EQ(ParsedIds(), 3u);  // GGA from before, ZDA and ARLIHS; not VTG
}

TEST_F(TextFraming, ALongBurstIsFramedInPiecesAndNothingOfItIsPurged) {
  ASSERT_TRUE(link.Open(3, 4800, kStreamText, true));
  EventLog received;
  link.OnReceive = received.Handler();

  // What piles up while the reader waits for the lock: 50 sentences at once.
  std::string burst;
  std::vector<std::string> sentences;
  for (int i = 0; i < 50; ++i) {
    sentences.push_back(WithChecksum("SDDPT," + std::to_string(i) + ".5,0.0,"));
    burst += sentences.back() + "\r\n";
  }
  ASSERT_GT(burst.size(), 2u * kMaxChunk);
  transports.Deliver(burst);
  EXPECT_EQ(raw.Lines, sentences);
  std::string shown;
  for (const std::string& piece : received.Lines) {
    EXPECT_LE(piece.size(), static_cast<std::size_t>(kMaxChunk));
    shown += piece;
  }
  EXPECT_EQ(shown, burst);
  // Purging would also discard what is being sent to the module.
  EXPECT_EQ(transports.Serial.Purges, 1);  // once, when opened
}

TEST_F(TextFraming, AnOverlongSentenceIsDroppedAndTheRestOfItsChunkFramed) {
  const std::string longest = "$GP" + std::string(507, 'x');  // 510 characters
  Feed(link, longest + "\r\n" + longest + "x\r\n$GPZDA,1\r\n");
  EXPECT_EQ(raw.Lines, (std::vector<std::string>{longest, "$GPZDA,1"}));

  // The same across chunks: 400 held, 111 more pass the bound.
  raw.Lines.clear();
  Feed(link, "$GP" + std::string(397, 'x'));
  EXPECT_EQ(link.HeldFrame().size(), 400u);
  Feed(link, std::string(111, 'y') + "\r\n$GPVTG,1\r\n");
  EXPECT_TRUE(link.HeldFrame().empty());
  Feed(link, "$GPZDA,2\r\n");
  EXPECT_EQ(raw.Lines, (std::vector<std::string>{"$GPVTG,1", "$GPZDA,2"}));

  // And in the few bytes at a time of a slow line, whatever their number.
  const std::string stream = longest + "\r\n" + longest + "x\r\n$GPZDA,1\r\n";
  for (std::size_t chunk = 1; chunk <= 17; ++chunk) {
    raw.Lines.clear();
    for (std::size_t at = 0; at < stream.size(); at += chunk) Feed(link, stream.substr(at, chunk));
    EXPECT_EQ(raw.Lines, (std::vector<std::string>{longest, "$GPZDA,1"})) << chunk << "-byte chunks";
  }
}

// The sentences a byte-by-byte reading of the stream finds.
std::vector<std::string> SentencesOf(const std::string& stream) {
  std::vector<std::string> found;
  std::string frame;
  bool inFrame = false;
  for (const char c : stream) {
    if (c == '\r' || c == '\n') {
      if (inFrame && frame.size() > 5) found.push_back(frame);
      inFrame = false;
      frame.clear();
    } else if (c == '$' || c == '!') {
      inFrame = true;
      frame.assign(1, c);
    } else if (inFrame) {
      frame += c;
    }
  }
  return found;
}

TEST_F(TextFraming, EveryChunkSizeFindsTheMarksAtEveryPlace) {
  // Sentences of every length up to 40, with bytes just below and above the
  // marks, non-ASCII bytes, bare line ends, and restarts inside a sentence.
  std::string stream;
  for (int length = 0; length <= 40; ++length) {
    std::string body = "GPABC,";
    for (int i = 0; i < length; ++i) body += "\x20\"#%\x80\xFF,9A"[i % 8];
    stream += WithChecksum(body) + (length % 3 == 0 ? "\r\n" : length % 3 == 1 ? "\n" : "\r");
    if (length % 7 == 0) stream += "$GPX" + std::string(static_cast<std::size_t>(length), 'y');
    if (length % 5 == 0) stream += "\r\n\r\n";
  }
  const std::vector<std::string> expected = SentencesOf(stream);
  ASSERT_GT(expected.size(), 40u);
  for (std::size_t chunk = 1; chunk <= 40; ++chunk) {
    raw.Lines.clear();
    for (std::size_t at = 0; at < stream.size(); at += chunk) Feed(link, stream.substr(at, chunk));
    EXPECT_EQ(raw.Lines, expected) << chunk << "-byte chunks";
  }

  // And the checksum of every one of them is read right.
  link.VerifyChecksum = true;
  link.ClearTalkers();
  std::string checked;
  for (int length = 0; length <= 40; ++length) {
    const std::string talker{static_cast<char>('A' + length / 26), static_cast<char>('A' + length % 26)};
    std::string good = WithChecksum(talker + "ABC," + std::string(static_cast<std::size_t>(length), 'x'));
    std::string bad =
        WithChecksum("X" + talker.substr(1) + "ABC," + std::string(static_cast<std::size_t>(length), 'x'));
    bad[bad.size() - 1] = bad.back() == '0' ? '1' : '0';
    checked += good + "\r\n" + bad + "\r\n";
  }
  Feed(link, checked);
  EXPECT_EQ(link.Talkers.size(), 41u);
}

TEST_F(TextFraming, AThrowingHandlerResetsTheFramerAndReceptionGoesOn) {
  link.OnRawMessage = [](platform::TObject*, std::string_view) { throw std::runtime_error("handler"); };
  Feed(link, "$GPZDA,1\r\n$GPVTG,");
  EXPECT_TRUE(link.HeldFrame().empty());
  link.OnRawMessage = raw.Handler();
  Feed(link, "$GPVTG,2\r\n");
  EXPECT_EQ(raw.Lines, std::vector<std::string>{"$GPVTG,2"});
}

TEST(ChunkText, ShowsBinaryChunksAsHexAndTheThreeChunksAfterThem) {
  TNMEA2KDecoder link;
  link.StreamMode = kStreamText;
  EventLog shown;
  link.OnReceive = shown.Handler();
  link.HexBytesPerLine = 16;

  std::string binary(20, '\x41');
  binary[0] = '\x00';
  Feed(link, binary);
  std::string expected = "00 ";
  for (int i = 1; i < 15; ++i) expected += "41 ";
  expected += "41\r\n41 41 41 41 ";
  EXPECT_EQ(shown.Lines.back(), expected);
  EXPECT_TRUE(link.BinaryInput);

  // Printable chunks still show in hex, continuing the line, three times.
  for (int i = 0; i < 3; ++i) Feed(link, "\x81\x7F\x81\x7F");
  EXPECT_EQ(shown.Lines[1], "81 7F 81 7F ");
  EXPECT_EQ(shown.Lines[3], "81 7F 81 7F\r\n");
  EXPECT_FALSE(link.BinaryInput);
  Feed(link, "ok\r\n");
  EXPECT_EQ(shown.Lines.back(), "ok\r\n");

  link.HexBytesPerLine = 0;
  Feed(link, std::string("\x82", 1));
  EXPECT_EQ(shown.Lines.back(), "82 ");
}

// The body of a message frame with its checksum; the deltas make its length
// byte or its data count disagree with the data.
std::string GatewayBody(std::uint8_t priority, std::uint32_t pgn, std::uint8_t destination, std::uint8_t source,
                        const std::string& data, int lengthDelta = 0, int countDelta = 0) {
  std::string body;
  body += '\x93';
  body += static_cast<char>(data.size() + 11 + lengthDelta);
  body += static_cast<char>(priority);
  body += static_cast<char>(pgn & 0xFF);
  body += static_cast<char>(pgn >> 8 & 0xFF);
  body += static_cast<char>(pgn >> 16 & 0xFF);
  body += static_cast<char>(destination);
  body += static_cast<char>(source);
  body += std::string("\x10\x00\x00\x00", 4);
  body += static_cast<char>(data.size() + countDelta);
  body += data;
  unsigned sum = 0;
  for (const char c : body) sum += static_cast<unsigned char>(c);
  body += static_cast<char>(-sum & 0xFF);
  return body;
}

// A gateway frame on the wire for a message of the given PGN and data, with
// every DLE inside doubled.
std::string GatewayFrame(std::uint32_t pgn, std::uint8_t source, const std::string& data, int lengthDelta = 0) {
  std::string wire = "\x10\x02";
  for (const char c : GatewayBody(6, pgn, 0xFF, source, data, lengthDelta)) {
    wire += c;
    if (c == '\x10') wire += c;
  }
  return wire + "\x10\x03";
}

TEST(BinaryFraming, GatewayFramesGiveTheirFieldsOnlyWhenWholeAndChecked) {
  TNmea2KMsg msg;
  ASSERT_TRUE(ReadGatewayFrame(GatewayBody(3, 0x1F805, 0x25, 0x41, "\x01\x02\x03"), msg));
  EXPECT_EQ(msg.Priority, 3);
  EXPECT_EQ(msg.PGN, 0x1F805u);
  EXPECT_EQ(msg.Destination, 0x25);
  EXPECT_EQ(msg.Source, 0x41);
  EXPECT_EQ(msg.Timestamp, 0x10u);
  EXPECT_EQ(msg.Data, (std::vector<std::uint8_t>{1, 2, 3}));
  // A count below the data takes that many bytes.
  ASSERT_TRUE(ReadGatewayFrame(GatewayBody(3, 0x1F805, 0x25, 0x41, "\x04\x05\x06", 0, -1), msg));
  EXPECT_EQ(msg.Data, (std::vector<std::uint8_t>{4, 5}));

  std::string wrongSum = GatewayBody(2, 60928, 0xFF, 7, "abc");
  wrongSum.back() = static_cast<char>(wrongSum.back() + 1);
  const std::string refused[] = {wrongSum, GatewayBody(2, 60928, 0xFF, 7, "abc", 1),
                                 GatewayBody(2, 60928, 0xFF, 7, "abc", 0, 1)};
  for (const std::string& frame : refused) {
    EXPECT_FALSE(ReadGatewayFrame(frame, msg));
    EXPECT_EQ(msg.Source, 0x41);
    EXPECT_EQ(msg.Data, (std::vector<std::uint8_t>{4, 5}));
  }
}

TEST(BinaryFraming, UnstuffsChecksAndHandsOnGatewayFrames) {
  TNMEA2KDecoder link;
  link.StreamMode = kStreamBinary;
  link.CollectStatistics = true;
  const std::string frame = GatewayFrame(0x1F801, 0x10, std::string("\x10\x20\x30", 3));
  Feed(link, frame.substr(0, 9));
  Feed(link, frame.substr(9));
  ASSERT_EQ(link.Talkers.size(), 1u);
  EXPECT_EQ(link.Talkers[0].Key, 0x10u);
  EXPECT_EQ(link.Talkers[0].SubKeys, std::vector<std::uint32_t>{0x1F801});

  // A frame whose length byte disagrees, one cut by DLE and another byte, and
  // one restarted by DLE STX.
  Feed(link, GatewayFrame(60928, 1, "abc", 1));
  Feed(link, std::string("\x10\x02\x93\x10\x41", 5) + GatewayFrame(60928, 2, "abc"));
  Feed(link, std::string("\x10\x02\x93\x05", 4) + GatewayFrame(60928, 3, "abc"));
  ASSERT_EQ(link.Talkers.size(), 3u);
  EXPECT_EQ(link.Talkers[0].Key, 2u);
  EXPECT_EQ(link.Talkers[1].Key, 3u);
}

}  // namespace
}  // namespace nmea
