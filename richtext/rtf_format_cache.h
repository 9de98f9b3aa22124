#pragma once

#include "richtext/plain_shaping.h"
#include "richtext/rtf_char_props.h"

#include <QStringView>
#include <QTextCharFormat>

#include <array>
#include <cstddef>
#include <functional>
#include <unordered_map>
#include <utility>

namespace vorn {

// Property holding the number of the reader state a character format was
// made for. Qt's format table hashes a format by the sum of its properties'
// hashes, so states that differ only in, say, swapped colours would all land
// on one hash and be compared with each other; the number tells them apart.
inline constexpr int kRtfFormatStateProperty = QTextFormat::UserProperty + 0x524A;

struct RtfCharPropsHash {
    std::size_t operator()(const RtfCharProps& p) const noexcept {
        std::size_t h = std::hash<int>()(p.font);
        const auto mix = [&h](std::size_t v) {
            h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
        };
        mix(std::hash<int>()(p.halfPoints));
        mix((std::size_t(p.bold) << 0) | (std::size_t(p.italic) << 1) |
            (std::size_t(p.underline) << 2) | (std::size_t(p.strike) << 3) |
            (std::size_t(p.valign) << 4));
        mix(std::hash<int>()(p.foreground));
        mix(std::hash<int>()(p.background));
        mix(std::hash<int>()(p.shading));
        return h;
    }
};

// A reader state, and whether its text skips shaping (see plain_shaping.h).
struct RtfFormatKey {
    RtfCharProps props;
    bool unshaped = false;
    bool operator==(const RtfFormatKey&) const = default;
};

struct RtfFormatKeyHash {
    std::size_t operator()(const RtfFormatKey& k) const noexcept {
        return RtfCharPropsHash()(k.props) * 2 + std::size_t(k.unshaped);
    }
};

// One Qt character format per distinct reader state, so that a document of a
// million runs in a few states builds a few formats, not a million.
class RtfFormatCache {
public:
    template <class Make> const QTextCharFormat& Get(const RtfFormatKey& key, Make&& make) {
        const auto it = formats_.find(key);
        if (it != formats_.end())
            return it->second;
        QTextCharFormat format = make(key.props);
        if (key.unshaped)
            format.setFontStyleStrategy(QFont::PreferNoShaping);
        format.setProperty(kRtfFormatStateProperty, nextState_++);
        // Qt hashes a format (its font name included, however long) when it
        // first compares it, and keeps the hash with the format; every
        // insertion works on a copy, which would hash it again. Comparing it
        // once here makes the copies inherit the hash.
        static const QTextCharFormat probe = [] {
            QTextCharFormat f;
            f.setProperty(kRtfFormatStateProperty, -1);
            return f;
        }();
        [[maybe_unused]] const bool same = format == probe;
        return formats_.emplace(key, std::move(format)).first->second;
    }
    // The format for a run of `text` in a state: unshaped when the text lays
    // out plainly in the state's font.
    template <class Make>
    const QTextCharFormat& RunFormat(const RtfCharProps& props, QStringView text, Make&& make) {
        RunFormats& run = RunFormatsOf(props, make);
        if (!run.shaping->LaysOutPlainly(text))
            return *run.shaped;
        if (!run.unshaped)
            run.unshaped = &Get(RtfFormatKey{props, true}, std::forward<Make>(make));
        return *run.unshaped;
    }
    // The font or colour table changed: what a state means may have changed.
    void Clear() {
        formats_.clear();
        runs_.clear();
        recent_ = {};
    }

private:
    struct RunFormats {
        const QTextCharFormat* shaped = nullptr;
        const QTextCharFormat* unshaped = nullptr;
        const PlainShaping* shaping = nullptr;
    };

    // A sheet's runs alternate between a handful of states (plain, italic x,
    // raised 2): the last few are found without hashing.
    template <class Make> RunFormats& RunFormatsOf(const RtfCharProps& props, Make& make) {
        for (const auto& [recentProps, runs] : recent_)
            if (runs && recentProps == props)
                return *runs;
        auto [it, added] = runs_.try_emplace(props);
        RunFormats& runs = it->second;
        if (added) {
            runs.shaped = &Get(RtfFormatKey{props, false}, make);
            runs.shaping = &PlainShapingOf(runs.shaped->font());
        }
        recent_[nextRecent_] = {props, &runs};
        nextRecent_ = (nextRecent_ + 1) % recent_.size();
        return runs;
    }

    std::unordered_map<RtfFormatKey, QTextCharFormat, RtfFormatKeyHash> formats_;
    std::unordered_map<RtfCharProps, RunFormats, RtfCharPropsHash> runs_;
    std::array<std::pair<RtfCharProps, RunFormats*>, 4> recent_{};
    std::size_t nextRecent_ = 0;
    int nextState_ = 0;
};

} // namespace vorn
