#pragma once

#include <string>
#include <utility>

namespace orvandel {

// The outcome of an operation that can fail: success, or failure with a reason that a
// caller can show to the user ("missing file", "too wide 321 > 320", ...).
class Status {
public:
    static Status Ok() { return Status(); }
    static Status Fail(std::string reason) { return Status(std::move(reason)); }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const std::string& reason() const { return m_reason; }

private:
    Status() = default;
    explicit Status(std::string reason) : m_ok(false), m_reason(std::move(reason)) {}

    bool m_ok = true;
    std::string m_reason;
};

}  // namespace orvandel
