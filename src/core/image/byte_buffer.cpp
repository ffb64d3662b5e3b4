#include "core/image/byte_buffer.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

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

CByteBuffer::CByteBuffer(CByteBuffer&& other) noexcept
    : m_data(std::move(other.m_data)),
      m_kept(std::move(other.m_kept)),
      m_size(std::exchange(other.m_size, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)) {}

CByteBuffer& CByteBuffer::operator=(CByteBuffer&& other) noexcept {
    if (this == &other) {
        return *this;
    }
    m_data = std::move(other.m_data);
    m_kept = std::move(other.m_kept);
    m_size = std::exchange(other.m_size, 0);
    m_capacity = std::exchange(other.m_capacity, 0);
    return *this;
}

void CByteBuffer::Empty() {
    if (m_data) {
        m_kept = std::move(m_data);
    }
    m_size = 0;
}

bool CByteBuffer::Resize(std::uint32_t size, const std::uint8_t* source) {
    if (size == 0) {
        m_data.reset();
        m_kept.reset();
        m_size = 0;
        m_capacity = 0;
        return true;
    }
    if (size <= m_capacity) {
        if (!m_data) {
            m_data = std::move(m_kept);
        }
        if (source != nullptr) {
            std::memcpy(m_data.get(), source, size);
        }
        m_size = size;
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
    m_kept.reset();
    m_size = size;
    m_capacity = size;
    return true;
}

}  // namespace orvandel
