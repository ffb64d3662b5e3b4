#pragma once

#include "core/image/file_ops.h"

namespace orvandel {

// Another FileOps with the flush to disk left out: a file still replaces the old one only
// once it is complete, but a power cut may lose it. For build trees that are thrown away.
class UnsyncedFileOps final : public FileOps {
public:
    explicit UnsyncedFileOps(FileOps& inner) : m_inner(inner) {}

    int CreateTemporary(const std::filesystem::path& path) override {
        return m_inner.CreateTemporary(path);
    }
    bool Write(int handle, std::span<const std::uint8_t> bytes) override {
        return m_inner.Write(handle, bytes);
    }
    bool Flush(int /*handle*/) override { return true; }
    bool Close(int handle) override { return m_inner.Close(handle); }
    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return m_inner.Rename(from, to);
    }
    void Remove(const std::filesystem::path& path) override { m_inner.Remove(path); }
    void KeepPermissionsOf(int handle, const std::filesystem::path& existing) override {
        m_inner.KeepPermissionsOf(handle, existing);
    }
    std::error_code LastError() const override { return m_inner.LastError(); }

private:
    FileOps& m_inner;
};

}  // namespace orvandel
