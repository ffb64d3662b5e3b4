#include "core/image/byte_buffer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace orvandel {

CByteBuffer::CByteBuffer(const CByteBuffer& other) {
    if (other.m_size != 0 && !Resize(other.m_size, other.data())) {
        throw std::bad_alloc();
    }
}

CByteBuffer& CByteBuffer::operator=(const CByteBuffer& other) {
    if (this != &other) {
        CByteBuffer copy(other);
        *this = std::move(copy);
    }
    return *this;
}

bool CByteBuffer::Resize(std::uint32_t size, const std::uint8_t* source) {
    if (size == 0) {
        m_data.reset();
        m_size = 0;
        return true;
    }
    std::unique_ptr<std::uint8_t[]> fresh(new (std::nothrow) std::uint8_t[size]);
    if (!fresh) {
        return false;
    }
    if (source != nullptr) {
        std::memcpy(fresh.get(), source, size);
    } else if (m_data) {
        std::memcpy(fresh.get(), m_data.get(), std::min(size, m_size));
    }
    m_data = std::move(fresh);
    m_size = size;
    return true;
}

}  // namespace orvandel
