#include "tests/support/PngWriter.h"

#include <stdio.h>

namespace testing_support {

namespace {

uint32_t Crc32(const uint8_t* data, size_t length, uint32_t crc = 0)
{
    static uint32_t table[256];
    if (!table[1]) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    }
    crc = ~crc;
    for (size_t i = 0; i < length; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Adler32(const std::vector<uint8_t>& data)
{
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>& file, const char type[4], const std::vector<uint8_t>& data)
{
    PutBigEndian(file, static_cast<uint32_t>(data.size()));
    size_t start = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    PutBigEndian(file, Crc32(file.data() + start, file.size() - start));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> out = { 0x78, 0x01 };
    size_t offset = 0;
    do {
        size_t length = raw.size() - offset;
        if (length > 65535)
            length = 65535;
        bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<uint8_t>(length));
        out.push_back(static_cast<uint8_t>(length >> 8));
        out.push_back(static_cast<uint8_t>(~length));
        out.push_back(static_cast<uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + offset, raw.begin() + offset + length);
        offset += length;
    } while (offset < raw.size());
    PutBigEndian(out, Adler32(raw));
    return out;
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels)
{
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * height)
        return false;
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(height) * (width * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);   // no filter
        for (int x = 0; x < width; ++x) {
            uint32_t rgb = pixels[static_cast<size_t>(y) * width + x];
            raw.push_back(static_cast<uint8_t>(rgb >> 16));
            raw.push_back(static_cast<uint8_t>(rgb >> 8));
            raw.push_back(static_cast<uint8_t>(rgb));
        }
    }
    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header.insert(header.end(), { 8, 2, 0, 0, 0 });   // 8 bits, RGB, deflate, no filter, no interlace

    std::vector<uint8_t> file = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", StoredZlib(raw));
    PutChunk(file, "IEND", {});

    FILE* out = fopen(path.c_str(), "wb");
    if (!out)
        return false;
    bool written = fwrite(file.data(), 1, file.size(), out) == file.size();
    return fclose(out) == 0 && written;
}

}  // namespace testing_support
