#include "tools/formc/property_keys.h"

#include <functional>
#include <map>
#include <string>

namespace formc {
namespace {

using vel::ResourceBytes;
using Setter = std::function<bool(vel::PropertyBlock&, Args, ValueContext&)>;
using KeyTable = std::map<std::string, Setter, std::less<>>;

template <typename B>
B& block_of(vel::PropertyBlock& p) {
    return std::get<B>(p);
}

bool one_arg(Args args, ValueContext& cx) {
    if (args.size() == 1) return true;
    cx.error = "expected one value";
    return false;
}

template <typename B>
Setter u32(std::uint32_t B::*m) {
    return [m](vel::PropertyBlock& p, Args a, ValueContext& cx) {
        if (!one_arg(a, cx)) return false;
        auto v = to_u32(a[0], cx);
        if (v) block_of<B>(p).*m = *v;
        return v.has_value();
    };
}
template <typename B>
Setter u16(std::uint16_t B::*m) {
    return [m](vel::PropertyBlock& p, Args a, ValueContext& cx) {
        if (!one_arg(a, cx)) return false;
        auto v = to_u32(a[0], cx);
        if (v && *v > 0xFFFF) cx.error = "value does not fit 16 bits";
        if (!v || *v > 0xFFFF) return false;
        block_of<B>(p).*m = static_cast<std::uint16_t>(*v);
        return true;
    };
}
template <typename B>
Setter text(std::string B::*m) {
    return [m](vel::PropertyBlock& p, Args a, ValueContext& cx) {
        if (!one_arg(a, cx)) return false;
        auto v = to_text(a[0], cx);
        if (v) block_of<B>(p).*m = *v;
        return v.has_value();
    };
}
template <typename B>
Setter block(ResourceBytes B::*m) {
    return [m](vel::PropertyBlock& p, Args a, ValueContext& cx) {
        auto v = to_block(a, cx);
        if (v) block_of<B>(p).*m = std::move(*v);
        return v.has_value();
    };
}
template <typename B>
Setter font(ResourceBytes B::*m) {
    return [m](vel::PropertyBlock& p, Args a, ValueContext& cx) {
        auto v = to_font(a, cx);
        if (v) block_of<B>(p).*m = std::move(*v);
        return v.has_value();
    };
}
// One word of a carried word group.
template <typename B, std::size_t N>
Setter word(std::array<std::uint32_t, N> B::*m, std::size_t index) {
    return [m, index](vel::PropertyBlock& p, Args a, ValueContext& cx) {
        if (!one_arg(a, cx)) return false;
        auto v = to_u32(a[0], cx);
        if (v) (block_of<B>(p).*m)[index] = *v;
        return v.has_value();
    };
}
// The whole group, all N words.
template <typename B, std::size_t N>
Setter words(std::array<std::uint32_t, N> B::*m) {
    return [m](vel::PropertyBlock& p, Args a, ValueContext& cx) {
        if (a.size() != N) {
            cx.error = "expected " + std::to_string(N) + " values";
            return false;
        }
        for (std::size_t i = 0; i < N; ++i) {
            auto v = to_u32(a[i], cx);
            if (!v) return false;
            (block_of<B>(p).*m)[i] = *v;
        }
        return true;
    };
}
// Each use appends one item.
template <typename B>
Setter item(std::vector<std::string> B::*m) {
    return [m](vel::PropertyBlock& p, Args a, ValueContext& cx) {
        if (!one_arg(a, cx)) return false;
        auto v = to_text(a[0], cx);
        if (v) (block_of<B>(p).*m).push_back(*v);
        return v.has_value();
    };
}
template <typename B>
Setter version() {
    return [](vel::PropertyBlock& p, Args a, ValueContext& cx) {
        if (!one_arg(a, cx)) return false;
        auto v = to_u32(a[0], cx);
        if (v && (*v < 1 || *v > B::kMaxVersion)) {
            cx.error = "version out of range for this type";
            return false;
        }
        if (v) block_of<B>(p).version = *v;
        return v.has_value();
    };
}

KeyTable window_keys() {
    using B = vel::WindowProperties;
    return {{"version", version<B>()},
            {"border", u32(&B::border)},
            {"pictureMode", u32(&B::pictureMode)},
            {"backColour", u32(&B::backColour)},
            {"maxButton", u32(&B::maxButton)},
            {"minButton", u32(&B::minButton)},
            {"controlBox", u32(&B::controlBox)},
            {"startPosition", u32(&B::startPosition)},
            {"movable", u32(&B::movable)},
            {"musicPlayCount", u32(&B::musicPlayCount)},
            {"enterMovesFocus", u32(&B::enterMovesFocus)},
            {"escCloses", u32(&B::escCloses)},
            {"f1OpensHelp", u32(&B::f1OpensHelp)},
            {"helpContext", u32(&B::helpContext)},
            {"showInTaskbar", u32(&B::showInTaskbar)},
            {"freeMove", u32(&B::freeMove)},
            {"shape", u32(&B::shape)},
            {"alwaysOnTop", u32(&B::alwaysOnTop)},
            {"keepTitleActive", u32(&B::keepTitleActive)},
            {"className", text(&B::className)},
            {"picture", block(&B::picture)},
            {"icon", block(&B::icon)},
            {"music", block(&B::music)},
            {"title", text(&B::title)},
            {"helpFile", text(&B::helpFile)}};
}

KeyTable draw_panel_keys() {
    using B = vel::DrawPanelProperties;
    return {{"version", version<B>()},
            {"border", u32(&B::border)},
            {"backColour", u32(&B::backColour)},
            {"pictureMode", u32(&B::pictureMode)},
            {"autoRedraw", u32(&B::autoRedraw)},
            {"drawStyle", u32(&B::drawStyle)},
            {"penType", u32(&B::penType)},
            {"drawMode", u32(&B::drawMode)},
            {"penWidth", u32(&B::penWidth)},
            {"penColour", u32(&B::penColour)},
            {"brushType", u32(&B::brushType)},
            {"brushColour", u32(&B::brushColour)},
            {"textColour", u32(&B::textColour)},
            {"textBackColour", u32(&B::textBackColour)},
            {"font", font(&B::font)},
            {"picture", block(&B::picture)}};
}

KeyTable edit_box_keys() {
    using B = vel::EditBoxProperties;
    return {{"version", version<B>()},
            {"border", u32(&B::border)},
            {"textColour", u32(&B::textColour)},
            {"backColour", u32(&B::backColour)},
            {"hideSelection", u32(&B::hideSelection)},
            {"maxLength", u32(&B::maxLength)},
            {"multiLine", u32(&B::multiLine)},
            {"scrollBars", u32(&B::scrollBars)},
            {"alignment", u32(&B::alignment)},
            {"inputMode", u32(&B::inputMode)},
            {"passwordChar", u16(&B::passwordChar)},
            {"selectionGroup", words(&B::selectionGroup)},
            {"font", font(&B::font)},
            {"content", text(&B::content)},
            {"dataSource", text(&B::dataSource)},
            {"dataColumn", text(&B::dataColumn)}};
}

KeyTable label_keys() {
    using B = vel::LabelProperties;
    return {{"version", version<B>()},
            {"style", words(&B::style)},
            {"font", font(&B::font)},
            {"picture", block(&B::picture)},
            {"caption", text(&B::caption)},
            {"dataSource", text(&B::dataSource)},
            {"dataColumn", text(&B::dataColumn)}};
}

KeyTable button_keys() {
    using B = vel::ButtonProperties;
    return {{"version", version<B>()},
            {"style", words(&B::style)},
            {"picture", block(&B::picture)},
            {"caption", text(&B::caption)}};
}

KeyTable combo_box_keys() {
    using B = vel::ComboBoxProperties;
    return {{"version", version<B>()},
            {"style", words(&B::style)},
            {"boxType", word(&B::style, 0)},
            {"backColour", word(&B::style, 7)},
            {"font", font(&B::font)},
            {"itemValues", block(&B::itemValues)},
            {"content", text(&B::content)},
            {"item", item(&B::items)},
            {"dataSource", text(&B::dataSource)},
            {"dataColumn", text(&B::dataColumn)},
            {"extra", u32(&B::extra)}};
}

KeyTable list_box_keys() {
    using B = vel::ListBoxProperties;
    return {{"version", version<B>()},
            {"style", words(&B::style)},
            {"backColour", word(&B::style, 5)},
            {"initialSelection", word(&B::style, 7)},
            {"font", font(&B::font)},
            {"itemValues", block(&B::itemValues)},
            {"item", item(&B::items)},
            {"dataSource", text(&B::dataSource)},
            {"dataColumn", text(&B::dataColumn)},
            {"extra", u32(&B::extra)}};
}

KeyTable common_dlg_keys() {
    using B = vel::CommonDlgProperties;
    return {{"version", version<B>()},
            {"options", words(&B::options)},
            {"dialogType", word(&B::options, 0)},
            {"filterIndex", word(&B::options, 1)},
            {"title", text(&B::title)},
            {"fileName", text(&B::fileName)},
            {"filter", text(&B::filter)},
            {"initialDirectory", text(&B::initialDirectory)},
            {"defaultExtension", text(&B::defaultExtension)},
            {"fontAndHelp1", text(&B::fontAndHelp1)},
            {"fontAndHelp2", text(&B::fontAndHelp2)}};
}

KeyTable timer_keys() {
    using B = vel::TimerProperties;
    return {{"version", version<B>()}, {"interval", u32(&B::interval)}};
}

const KeyTable* keys_for(const vel::PropertyBlock& block) {
    static const KeyTable tables[] = {window_keys(),   draw_panel_keys(), edit_box_keys(),
                                      label_keys(),    button_keys(),     combo_box_keys(),
                                      list_box_keys(), common_dlg_keys(), timer_keys()};
    // Variant order: monostate, then the nine known types, then RawProperties.
    std::size_t i = block.index();
    if (i < 1 || i > 9) return nullptr;
    return &tables[i - 1];
}

}  // namespace

bool set_property_key(vel::PropertyBlock& block, std::string_view key, Args args,
                      ValueContext& cx) {
    const KeyTable* keys = keys_for(block);
    auto it = keys ? keys->find(key) : KeyTable::const_iterator{};
    if (!keys || it == keys->end()) {
        cx.error = "unknown property '" + std::string(key) + "' for this unit type";
        return false;
    }
    return it->second(block, args, cx);
}

}  // namespace formc
