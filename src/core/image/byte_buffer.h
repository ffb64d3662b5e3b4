#pragma once

#include <cstdint>
#include <memory>
#include <utility>

namespace orvandel {

// A resizable block of bytes that owns its memory. Empty means size 0 and no bytes to reach;
// the block behind it may be kept for reuse, since a wall set reloaded many times a minute would
// otherwise have the kernel fault in fresh pages for every picture.
class CByteBuffer {
public:
    CByteBuffer() = default;
    CByteBuffer(const CByteBuffer& other);
    CByteBuffer& operator=(const CByteBuffer& other);
    // A moved-from buffer is empty and holds no block.
    CByteBuffer(CByteBuffer&& other) noexcept;
    CByteBuffer& operator=(CByteBuffer&& other) noexcept;
    ~CByteBuffer() = default;

    // Size 0 frees the memory. Otherwise bytes up to the smaller size survive and, when a source
    // is given, size bytes are copied from it; a size within the kept block reuses it. An
    // allocation that fails returns false and leaves the buffer as it was.
    bool Resize(std::uint32_t size, const std::uint8_t* source = nullptr);
    // Size 0 and no data, keeping the block aside for the next Resize.
    void Empty();

    std::uint8_t* data() { return m_data.get(); }
    const std::uint8_t* data() const { return m_data.get(); }
    std::uint32_t size() const { return m_size; }
    // The bytes of the block in use or kept aside.
    std::uint32_t capacity() const { return m_capacity; }

private:
    std::unique_ptr<std::uint8_t[]> m_data;  // null exactly when the size is 0
    std::unique_ptr<std::uint8_t[]> m_kept;  // the block set aside by Empty, else null
    std::uint32_t m_size = 0;
    std::uint32_t m_capacity = 0;
};

}  // namespace orvandel
