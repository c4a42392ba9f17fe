// Printer side of the direct printer-language commands of the file download windows:
// stored images and templates in TSPL, ZPL and DPL, kept in the download state's files
// (types "tspl", "zpl", "dpl").
//
//   TSPL  "~!F" CR LF -> the stored names, each followed by CR, then CR LF
//         KILL E,"name" CR LF; DOWNLOAD E,"name",size, + size bytes (a bitmap);
//         DOWNLOAD E,"name" CR LF + bytes + CR LF EOP CR LF (a template)
//   ZPL   ^XA CR LF ^HWE:*.GRF CR LF ^XZ -> CR LF "- DIR E:*.GRF", a line "*E:name size"
//         per graphic, "-  n bytes free", each ended by CR LF; ~DGE:name,T,R,hex (2T hex
//         characters); ^XA CR LF (^IDE:name CR LF)* ^XZ deletes
//   DPL   (STX as set in SimDownloadState::dplStx, EOL dplEol, SOH dplSoh)
//         SOH D STX IEB name EOL + a BMP file (its size from the header); STX WG CR LF ->
//         "MODULE G" EOL, a name per image and EOL, "AVAIL" ...; STX xEG name EOL deletes
// Fonts: TSPL fonts are stored like templates (names ending in ".ttf"); ZPL and DPL fonts
// are the types "zplfont" and "dplfont":
//   ZPL   ^XA CR LF ^HWE:*.TTF CR LF ^XZ -> the directory of the "zplfont" files as above;
//         ~DSE:name.TTF,n, + 2n bytes (the declared size is half the file); ^IDE: deletes
//   DPL   STX WF CR LF -> "FONTS" EOL, a name per font and EOL, " AVAIL" ...;
//         SOH D STX iET id name EOL size(8 hex) + size bytes -> stored as id+name;
//         STX xE name EOL deletes
#include "SimDownload.h"
#include "SimPrinter.h"

#include <QList>
#include <memory>

namespace prt::sim {

namespace {

class DirectHandler : public SimHandler {
public:
    explicit DirectHandler(SimDownloadState* (*state)(SimPrinter&)) : state_(state) {}

    int consume(SimPrinter& printer, const QByteArray& in, QByteArray& reply) override
    {
        SimDownloadState* s = state_(printer);
        if (!s)
            return NotMine;
        bool more = false;
        auto starts = [&](const QByteArray& head) {
            if (in.startsWith(head))
                return true;
            if (in.size() < head.size() && head.startsWith(in))
                more = true;
            return false;
        };
        // ---- TSPL
        if (starts("~!F\r\n")) {
            QByteArray r;
            for (const SimStoredFile& f : s->files)
                if (f.type == "tspl")
                    r += f.name + "\r";
            if (!r.isEmpty())
                reply += r + "\r\n";
            return 5;
        }
        if (starts("KILL E,\"")) {
            const qsizetype end = in.indexOf("\r\n");
            if (end < 0)
                return NeedMore;
            const QByteArray name = in.mid(8, end - 8).chopped(1);
            Remove(*s, "tspl", name);
            return static_cast<int>(end + 2);
        }
        if (starts("DOWNLOAD E,\"")) {
            const qsizetype q = in.indexOf('"', 12);
            if (q < 0 || q + 1 >= in.size())
                return NeedMore;
            const QByteArray name = in.mid(12, q - 12);
            if (in.at(q + 1) == ',') {
                const qsizetype comma = in.indexOf(',', q + 2);
                if (comma < 0)
                    return NeedMore;
                const qsizetype size = in.mid(q + 2, comma - q - 2).toLongLong();
                if (in.size() < comma + 1 + size)
                    return NeedMore;
                Store(*s, "tspl", name, in.mid(comma + 1, size));
                return static_cast<int>(comma + 1 + size);
            }
            const qsizetype eop = in.indexOf("\r\nEOP\r\n", q);
            if (eop < 0)
                return NeedMore;
            Store(*s, "tspl", name, in.mid(q + 3, eop - q - 3));
            return static_cast<int>(eop + 7);
        }
        // ---- ZPL
        if (starts("^XA\r\n^HWE:*.GRF\r\n^XZ\r\n")) {
            QByteArray r = "\r\n- DIR E:*.GRF\r\n";
            for (const SimStoredFile& f : s->files)
                if (f.type == "zpl")
                    r += "*E:" + f.name + " " + QByteArray::number(f.data.size()) + "\r\n";
            r += "-  794624 bytes free\r\n";
            reply += r;
            return 22;
        }
        if (starts("^XA\r\n^HWE:*.TTF\r\n^XZ\r\n")) {
            QByteArray r = "\r\n- DIR E:*.TTF\r\n";
            for (const SimStoredFile& f : s->files)
                if (f.type == "zplfont")
                    r += "* E:" + f.name + " " + QByteArray::number(f.data.size()) + "\r\n";
            r += "-  794624 bytes free\r\n";
            reply += r;
            return 22;
        }
        if (starts("~DSE:")) {
            const qsizetype c1 = in.indexOf(',', 5);
            const qsizetype c2 = c1 < 0 ? -1 : in.indexOf(',', c1 + 1);
            if (c2 < 0)
                return NeedMore;
            const qsizetype body = 2 * in.mid(c1 + 1, c2 - c1 - 1).toLongLong();
            if (in.size() < c2 + 1 + body)
                return NeedMore;
            Store(*s, "zplfont", in.mid(5, c1 - 5), in.mid(c2 + 1, body));
            return static_cast<int>(c2 + 1 + body);
        }
        if (starts("~DGE:")) {
            const qsizetype c1 = in.indexOf(',', 5);
            const qsizetype c2 = c1 < 0 ? -1 : in.indexOf(',', c1 + 1);
            const qsizetype c3 = c2 < 0 ? -1 : in.indexOf(',', c2 + 1);
            if (c3 < 0)
                return NeedMore;
            const qsizetype total = in.mid(c1 + 1, c2 - c1 - 1).toLongLong();
            if (in.size() < c3 + 1 + 2 * total)
                return NeedMore;
            Store(*s, "zpl", in.mid(5, c1 - 5), QByteArray::fromHex(in.mid(c3 + 1, 2 * total)));
            return static_cast<int>(c3 + 1 + 2 * total);
        }
        if (starts("^XA\r\n^IDE:") || starts("^XA\r\n^XZ")) {
            const qsizetype end = in.indexOf("^XZ\r\n");
            if (end < 0)
                return NeedMore;
            for (const QByteArray& line : in.left(end).split('\n')) {
                if (line.startsWith("^IDE:")) {
                    Remove(*s, "zpl", line.mid(5).trimmed());
                    Remove(*s, "zplfont", line.mid(5).trimmed());
                }
            }
            return static_cast<int>(end + 5);
        }
        // ---- DPL
        const char soh = static_cast<char>(s->dplSoh), stx = static_cast<char>(s->dplStx);
        const char eol = static_cast<char>(s->dplEol);
        if (starts(QByteArray(1, soh) + "D" + QByteArray(1, stx) + "IEB")) {
            const qsizetype e = in.indexOf(eol, 6);
            if (e < 0 || in.size() < e + 7)
                return NeedMore;
            const QByteArray bmp = in.mid(e + 1);
            const auto u8 = [&](int i) { return static_cast<uint8_t>(bmp.at(i)); };
            const qsizetype size = u8(2) | (u8(3) << 8) | (u8(4) << 16) | (qsizetype(u8(5)) << 24);
            if (bmp.size() < size)
                return NeedMore;
            Store(*s, "dpl", in.mid(6, e - 6), bmp.left(size));
            return static_cast<int>(e + 1 + size);
        }
        if (starts(QByteArray(1, stx) + "WG\r\n")) {
            QByteArray r = "MODULE G" + QByteArray(1, eol);
            for (const SimStoredFile& f : s->files)
                if (f.type == "dpl")
                    r += f.name + eol;
            r += "AVAIL 1024" + QByteArray(1, eol);
            reply += r;
            return 5;
        }
        if (starts(QByteArray(1, soh) + "D" + QByteArray(1, stx) + "iET")) {
            const qsizetype e = in.indexOf(eol, 6);
            if (e < 0 || in.size() < e + 9)
                return NeedMore;
            bool ok = false;
            const qsizetype size = in.mid(e + 1, 8).toLongLong(&ok, 16);
            if (!ok)
                return static_cast<int>(e + 9);
            if (in.size() < e + 9 + size)
                return NeedMore;
            Store(*s, "dplfont", in.mid(6, e - 6), in.mid(e + 9, size));
            return static_cast<int>(e + 9 + size);
        }
        if (starts(QByteArray(1, stx) + "WF\r\n")) {
            QByteArray r = "FONTS" + QByteArray(1, eol);
            for (const SimStoredFile& f : s->files)
                if (f.type == "dplfont")
                    r += f.name + eol;
            r += " AVAIL 1024" + QByteArray(1, eol);
            reply += r;
            return 5;
        }
        if (starts(QByteArray(1, stx) + "xEG")) {
            const qsizetype e = in.indexOf(eol, 4);
            if (e < 0)
                return NeedMore;
            Remove(*s, "dpl", in.mid(4, e - 4));
            return static_cast<int>(e + 1);
        }
        if (starts(QByteArray(1, stx) + "xE")) {
            const qsizetype e = in.indexOf(eol, 3);
            if (e < 0)
                return NeedMore;
            Remove(*s, "dplfont", in.mid(3, e - 3));
            return static_cast<int>(e + 1);
        }
        return more ? NeedMore : NotMine;
    }

private:
    static void Store(SimDownloadState& s, const QByteArray& type, const QByteArray& name, const QByteArray& data)
    {
        Remove(s, type, name);
        s.files.push_back({type, name, data});
    }
    static void Remove(SimDownloadState& s, const QByteArray& type, const QByteArray& name)
    {
        for (auto it = s.files.begin(); it != s.files.end(); ++it) {
            if (it->type == type && it->name == name) {
                s.files.erase(it);
                return;
            }
        }
    }

    SimDownloadState* (*state_)(SimPrinter&);
};

} // namespace

void AddDirectDownloadHandler(SimPrinter& printer)
{
    printer.addHandler(std::make_unique<DirectHandler>(&DownloadState));
}

} // namespace prt::sim
