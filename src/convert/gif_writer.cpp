#include "convert/gif_writer.h"

#include <cstring>
#include <memory>

namespace {

constexpr uint8_t MIN_CODE_SIZE = 2;
constexpr uint32_t CLEAR_CODE = 1u << MIN_CODE_SIZE;
constexpr uint32_t END_CODE = CLEAR_CODE + 1;
constexpr uint32_t FIRST_FREE_CODE = CLEAR_CODE + 2;
constexpr uint32_t CODE_LIMIT = 4096;  // codes are at most 12 bits
constexpr uint32_t MAX_CODE_BITS = 12;
constexpr size_t MAX_SUB_BLOCK = 255;

void put_u16(std::vector<uint8_t>* out, uint32_t value) {
    out->push_back(static_cast<uint8_t>(value));
    out->push_back(static_cast<uint8_t>(value >> 8));
}

void put_bytes(std::vector<uint8_t>* out, const char* text, size_t count) {
    out->insert(out->end(), text, text + count);
}

// Codes go out least significant bit first into data sub-blocks, each behind its length byte.
class CodePacker {
public:
    explicit CodePacker(std::vector<uint8_t>* out) : out_(out) { open_block(); }

    void put(uint32_t code, uint32_t bits) {
        pending_ |= uint64_t{code} << pending_bits_;
        pending_bits_ += bits;
        while (pending_bits_ >= 8) {
            put_byte(static_cast<uint8_t>(pending_));
            pending_ >>= 8;
            pending_bits_ -= 8;
        }
    }

    // Flushes the last partial byte and ends the data with an empty sub-block.
    void finish() {
        if (pending_bits_ > 0) put_byte(static_cast<uint8_t>(pending_));
        close_block();
        if (block_length() > 0) out_->push_back(0);
    }

private:
    void open_block() {
        block_start_ = out_->size();
        out_->push_back(0);
    }
    size_t block_length() const { return out_->size() - block_start_ - 1; }
    // Sets the length byte; an empty block stays as the terminator.
    void close_block() { (*out_)[block_start_] = static_cast<uint8_t>(block_length()); }
    void put_byte(uint8_t byte) {
        out_->push_back(byte);
        if (block_length() == MAX_SUB_BLOCK) {
            close_block();
            open_block();
        }
    }

    std::vector<uint8_t>* out_;
    size_t block_start_ = 0;
    uint64_t pending_ = 0;
    uint32_t pending_bits_ = 0;
};

// The string table: each code's extension by pixel 0 or 1 (0: none yet; no code extends to a
// code below FIRST_FREE_CODE, so 0 is free to mean that).
struct LzwTable {
    uint16_t next[CODE_LIMIT][2];
    uint32_t free_code;
    uint32_t code_bits;

    void reset() {
        std::memset(next, 0, sizeof next);
        free_code = FIRST_FREE_CODE;
        code_bits = MIN_CODE_SIZE + 1;
    }
};

// The decoder adds one string per code it reads, so a code is written with as many bits as the
// next free code needs at that moment.
void put_code(CodePacker* packer, LzwTable* table, uint32_t code) {
    if (table->free_code > (1u << table->code_bits) && table->code_bits < MAX_CODE_BITS)
        ++table->code_bits;
    packer->put(code, table->code_bits);
}

void compress(std::vector<uint8_t>* out, const uint8_t* pixels, size_t count) {
    out->push_back(MIN_CODE_SIZE);
    CodePacker packer(out);
    // About 16 KiB: kept off the stack.
    auto table = std::make_unique<LzwTable>();
    table->reset();
    put_code(&packer, table.get(), CLEAR_CODE);
    uint32_t prefix = pixels[0] & 1u;
    for (size_t i = 1; i < count; ++i) {
        const uint32_t pixel = pixels[i] & 1u;
        const uint16_t longer = table->next[prefix][pixel];
        if (longer != 0) {
            prefix = longer;
            continue;
        }
        put_code(&packer, table.get(), prefix);
        table->next[prefix][pixel] = static_cast<uint16_t>(table->free_code++);
        if (table->free_code == CODE_LIMIT) {
            put_code(&packer, table.get(), CLEAR_CODE);
            table->reset();
        }
        prefix = pixel;
    }
    put_code(&packer, table.get(), prefix);
    // The decoder counts a string for the last code too before it reads the end code.
    if (table->free_code < CODE_LIMIT) ++table->free_code;
    put_code(&packer, table.get(), END_CODE);
    packer.finish();
}

}  // namespace

void gif_start(std::vector<uint8_t>* out, int32_t width, int32_t height, bool loop_forever) {
    put_bytes(out, "GIF89a", 6);
    put_u16(out, static_cast<uint32_t>(width));
    put_u16(out, static_cast<uint32_t>(height));
    out->push_back(0x80);  // a global colour table of 2^(0 + 1) entries, 1 bit per primary
    out->push_back(GIF_PAPER);
    out->push_back(0);  // no aspect ratio
    const uint8_t colours[] = {0, 0, 0, 255, 255, 255};
    out->insert(out->end(), colours, colours + sizeof colours);
    if (loop_forever) {
        put_bytes(out,
                  "\x21\xFF\x0B"
                  "NETSCAPE2.0"
                  "\x03\x01",
                  16);
        put_u16(out, 0);
        out->push_back(0);
    }
}

size_t gif_add_image(std::vector<uint8_t>* out, const GifRect& rect, const uint8_t* pixels,
                     int32_t delay) {
    put_bytes(out, "\x21\xF9\x04", 3);
    out->push_back(1 << 2);  // disposal 1: leave the image in place
    const size_t delay_at = out->size();
    put_u16(out, static_cast<uint32_t>(delay));
    out->push_back(0);
    out->push_back(0);
    out->push_back(0x2C);
    put_u16(out, static_cast<uint32_t>(rect.left));
    put_u16(out, static_cast<uint32_t>(rect.top));
    put_u16(out, static_cast<uint32_t>(rect.width));
    put_u16(out, static_cast<uint32_t>(rect.height));
    out->push_back(0);  // no local colour table, not interlaced
    compress(out, pixels, static_cast<size_t>(rect.width) * static_cast<size_t>(rect.height));
    return delay_at;
}

void gif_set_delay(std::vector<uint8_t>* out, size_t delay_at, int32_t delay) {
    (*out)[delay_at] = static_cast<uint8_t>(delay);
    (*out)[delay_at + 1] = static_cast<uint8_t>(delay >> 8);
}

void gif_finish(std::vector<uint8_t>* out) { out->push_back(0x3B); }
