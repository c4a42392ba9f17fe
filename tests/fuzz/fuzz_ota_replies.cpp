// Over-the-air replies: the printer's package length and its acknowledgements, in whatever
// pieces they come. A package length is taken only from exactly 4 bytes; a packet never
// claims more data than the file holds at its offset and carries the CRC of what it
// carries; an acknowledgement is good only as 1B 1C 26 .. .. .. .. 00; a transfer that
// ends well has sent every byte of the file once, in order.
//
// Input: byte 0 chooses the switch into update mode and the file size (up to 4 KB), then
// a length byte and that many bytes are the package length reply, then the replies of the
// reads follow, each piece a length byte and its bytes.
#include "FuzzSupport.h"
#include "mdlOTA.h"

#include <algorithm>
#include <cstring>

using namespace prt::dl;

namespace {

uint32_t U32(const QByteArray& b, qsizetype at)
{
    const auto* p = reinterpret_cast<const uint8_t*>(b.constData()) + at;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// The packets' CRC-32 worked out bit by bit: reflected, polynomial EDB88320, register
// from 0, final xor FFFFFFFF.
uint32_t Crc(const QByteArray& bytes)
{
    uint32_t r = 0;
    for (const char c : bytes) {
        r ^= uint8_t(c);
        for (int k = 0; k < 8; ++k)
            r = (r & 1) ? (r >> 1) ^ 0xEDB88320u : r >> 1;
    }
    return r ^ 0xFFFFFFFFu;
}

class FuzzLink : public TOtaLink {
public:
    FuzzLink(const QByteArray& input, qsizetype pos) : in_(input), pos_(pos) {}

    int OpenPort() override { return Next() % 8 == 7 ? -1 : 0; }
    void ClosePort() override {}
    void DoLeaveOpen(const QByteArray&) override {}
    void DoOnOpenPort(const QByteArray&) override {}
    int Write(const QByteArray& bytes) override
    {
        writes.push_back(bytes);
        return 0;
    }
    QByteArray GetValBytes(const QByteArray&, uint32_t n) override
    {
        QByteArray piece = Piece(n);
        packReply = piece;
        return piece;
    }
    int ReadRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t, int) override
    {
        const QByteArray piece = Piece(length);
        FUZZ_CHECK(uint32_t(piece.size()) <= length);
        std::memcpy(buffer, piece.constData(), size_t(piece.size()));
        *count = uint32_t(piece.size());
        return 0;
    }
    uint32_t Tick() override { return tick_ += 1000; }

    std::vector<QByteArray> writes;
    QByteArray packReply;

private:
    uint8_t Next() { return pos_ < in_.size() ? uint8_t(in_[pos_++]) : 0; }
    QByteArray Piece(uint32_t most)
    {
        const qsizetype n = std::min<qsizetype>({qsizetype(Next()), in_.size() - pos_, qsizetype(most)});
        const QByteArray piece = in_.mid(pos_, std::max<qsizetype>(n, 0));
        pos_ += piece.size();
        return piece;
    }
    QByteArray in_;
    qsizetype pos_ = 0;
    uint32_t tick_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::Bytes(data, size);
    // the parsers alone
    const uint32_t length = OtaPackageLength(input.left(8));
    if (input.left(8).size() != 4) {
        FUZZ_CHECK(length == 0);
    } else {
        FUZZ_CHECK(length == U32(input, 0) || length == 0);
        FUZZ_CHECK(length <= 0x7FFFFFFFu);
    }
    const QByteArray ack = input.left(8);
    if (IsOtaAckGood(ack))
        FUZZ_CHECK(ack.size() == 8 && ack.startsWith(QByteArray("\x1B\x1C\x26", 3)) && ack.at(7) == 0);

    // a whole transfer against these replies
    const uint8_t head = size > 0 ? data[0] : 0;
    const TOtaSwitch how = static_cast<TOtaSwitch>(head % 4);
    QByteArray file((head >> 2) * 64 + (size > 1 ? data[1] % 64 : 0), Qt::Uninitialized);
    for (qsizetype i = 0; i < file.size(); ++i)
        file[i] = char(i * 7 + 3);
    FuzzLink link(input, 2);
    const TOtaOutcome out = RunOtaTransfer(link, file, how, false, {});
    if (out.result == TOtaResult::Success)
        FUZZ_CHECK(link.packReply.size() == 4 && out.packageLength == U32(link.packReply, 0));
    if (out.packageLength == 0) {
        FUZZ_CHECK(out.result != TOtaResult::Success);
        return 0;
    }
    const int count = OtaPacketCount(file.size(), out.packageLength);
    FUZZ_CHECK(qint64(count) * out.packageLength >= file.size());
    FUZZ_CHECK(count == 0 || qint64(count - 1) * out.packageLength < file.size());
    QByteArray sent;
    int packets = 0;
    for (const QByteArray& w : link.writes) {
        if (!w.startsWith(QByteArray("\x1B\x1C\x26\x20\x56\x31\x20", 7) + "do \"ota\"\r\n"))
            continue;  // the raw switch
        FUZZ_CHECK(w.size() >= kOtaHeadSize);
        const uint32_t offset = U32(w, 17), n = U32(w, 21);
        FUZZ_CHECK(n <= out.packageLength);
        FUZZ_CHECK(qint64(offset) + n <= file.size() || n == 0);
        FUZZ_CHECK(w.size() == kOtaHeadSize + qsizetype(n));
        FUZZ_CHECK(U32(w, 25) == Crc(w.mid(kOtaHeadSize)));
        FUZZ_CHECK(qint64(offset) == qint64(packets) * out.packageLength);
        sent += w.mid(kOtaHeadSize);
        ++packets;
    }
    if (out.result == TOtaResult::Success) {
        FUZZ_CHECK(sent == file);
        FUZZ_CHECK(out.packets == std::max(count, 1));
    }
    return 0;
}
