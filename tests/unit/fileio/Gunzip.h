#pragma once

#include <libdeflate.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

/// Decompresses every gzip member of `data` in turn, as a gzip reader does; throws
/// std::runtime_error for anything that is not a whole, valid gzip stream.
inline std::string gunzip(std::string_view data)
{
    std::unique_ptr<libdeflate_decompressor, void (*)(libdeflate_decompressor*)> d(
        libdeflate_alloc_decompressor(), libdeflate_free_decompressor);
    std::string plain;
    std::string member(1 << 16, '\0');
    if (data.empty())
        throw std::runtime_error("no gzip member");
    while (!data.empty()) {
        std::size_t in = 0;
        std::size_t out = 0;
        libdeflate_result r;
        while ((r = libdeflate_gzip_decompress_ex(d.get(), data.data(), data.size(), member.data(), member.size(), &in,
                    &out))
            == LIBDEFLATE_INSUFFICIENT_SPACE)
            member.resize(member.size() * 2);
        if (r != LIBDEFLATE_SUCCESS)
            throw std::runtime_error("bad gzip member");
        plain.append(member.data(), out);
        data.remove_prefix(in);
    }
    return plain;
}
