#pragma once

#include <cstdint>
#include <memory>

namespace orvandel {

// A resizable block of bytes that owns its memory. Empty means no memory and size 0.
class CByteBuffer {
public:
    CByteBuffer() = default;
    CByteBuffer(const CByteBuffer& other);
    CByteBuffer& operator=(const CByteBuffer& other);
    CByteBuffer(CByteBuffer&&) noexcept = default;
    CByteBuffer& operator=(CByteBuffer&&) noexcept = default;
    ~CByteBuffer() = default;

    // Size 0 frees the memory. Otherwise bytes up to the smaller size survive and, when a source
    // is given, size bytes are copied from it. An allocation that fails returns false and
    // leaves the buffer as it was.
    bool Resize(std::uint32_t size, const std::uint8_t* source = nullptr);

    std::uint8_t* data() { return m_data.get(); }
    const std::uint8_t* data() const { return m_data.get(); }
    std::uint32_t size() const { return m_size; }

private:
    std::unique_ptr<std::uint8_t[]> m_data;
    std::uint32_t m_size = 0;
};

}  // namespace orvandel
