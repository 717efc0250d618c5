// The background catalogue, and the about and help texts.
#include <utility>

#include "app/about/about_help.h"
#include "app/backgrounds/backgrounds.h"
#include "app/backgrounds/catalogue.h"
#include "app/handlers/handler_table.h"

namespace vel {
namespace {

template <int Index>
HandlerResult on_colour(std::span<const std::int32_t>) {
    backgrounds::choose_colour(Index);
    return std::nullopt;
}

template <int Index>
HandlerResult on_picture(std::span<const std::int32_t>) {
    backgrounds::choose_picture(Index);
    return std::nullopt;
}

HandlerResult on_use_mine(std::span<const std::int32_t>) {
    backgrounds::use_my_background();
    return std::nullopt;
}

HandlerResult on_change_mine(std::span<const std::int32_t>) {
    backgrounds::change_my_background();
    return std::nullopt;
}

HandlerResult on_about(std::span<const std::int32_t>) {
    show_about();
    return std::nullopt;
}

HandlerResult on_help(std::span<const std::int32_t>) {
    show_help();
    return std::nullopt;
}

// The handlers of a family sit side by side in the handler list, in menu
// order, as the entries do in the catalogue.
template <int... I>
constexpr std::array<HandlerFn, sizeof...(I)> colour_handlers(std::integer_sequence<int, I...>) {
    return {on_colour<I>...};
}
template <int... I>
constexpr std::array<HandlerFn, sizeof...(I)> picture_handlers(std::integer_sequence<int, I...>) {
    return {on_picture<I>...};
}

constexpr auto kColourHandlers = colour_handlers(
    std::make_integer_sequence<int, static_cast<int>(backgrounds::kColours.size())>{});
constexpr auto kPictureHandlers =
    picture_handlers(std::make_integer_sequence<int, backgrounds::kPictureCount>{});

static_assert(static_cast<int>(HandlerIndex::menu_colour_silver) -
                      static_cast<int>(HandlerIndex::menu_colour_black) + 1 ==
                  static_cast<int>(backgrounds::kColours.size()),
              "one colour handler per colour entry");
static_assert(static_cast<int>(HandlerIndex::menu_picture_52) -
                      static_cast<int>(HandlerIndex::menu_picture_01) + 1 ==
                  backgrounds::kPictureCount,
              "one picture handler per picture entry");

}  // namespace

void bind_background_handlers(const HandlerBinder& bind) {
    for (std::size_t i = 0; i < kColourHandlers.size(); ++i)
        bind(static_cast<HandlerIndex>(static_cast<int>(HandlerIndex::menu_colour_black) +
                                       static_cast<int>(i)),
             kColourHandlers[i]);
    for (std::size_t i = 0; i < kPictureHandlers.size(); ++i)
        bind(static_cast<HandlerIndex>(static_cast<int>(HandlerIndex::menu_picture_01) +
                                       static_cast<int>(i)),
             kPictureHandlers[i]);
    bind(HandlerIndex::menu_my_background_use, on_use_mine);
    bind(HandlerIndex::menu_my_background_change, on_change_mine);
    bind(HandlerIndex::menu_about, on_about);
    bind(HandlerIndex::menu_instructions, on_help);
}

}  // namespace vel
