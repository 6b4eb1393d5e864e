#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "saver/hack_arguments.h"
#include "saver/scr_arguments.h"

namespace wobblux::saver {
namespace {

HackCommand hack(std::initializer_list<const char*> arguments) {
    const std::vector<const char*> list(arguments);
    return parseHackArguments(list);
}

ScrCommand scr(std::initializer_list<const char*> arguments) {
    const std::vector<const char*> list(arguments);
    return parseScrArguments(list);
}

using Action = HackCommand::Action;
using Mode = ScrCommand::Mode;

TEST(HackArguments, RootWindowIdOrAWindowOfItsOwn) {
    EXPECT_FALSE(hack({}).root);
    EXPECT_FALSE(hack({"--window"}).windowId);
    EXPECT_TRUE(hack({"-root"}).root);
    // The settings dialog's preview appends the window to a command that holds --root.
    const HackCommand preview = hack({"--root", "--window-id", "0x1e00007"});
    EXPECT_EQ(preview.action, Action::Show);
    EXPECT_EQ(preview.windowId, 0x1e00007ul);
    EXPECT_EQ(hack({"-window-id", "31457287"}).windowId, 31457287ul);
}

TEST(HackArguments, HelpAndEverythingElse) {
    EXPECT_EQ(hack({"--help"}).action, Action::Help);
    EXPECT_EQ(hack({"--root", "-help"}).action, Action::Help);
    for (const auto& misuse :
         std::vector<std::vector<const char*>>{{"--fps"},
                                               {"root"},
                                               {"---root"},
                                               {"--window-id"},
                                               {"--window-id", "0x"},
                                               {"--window-id", "0"},
                                               {"--window-id", "12ab"},
                                               {"--window-id", "-5"},
                                               {"--window-id", "0x99999999999999999999"}}) {
        EXPECT_EQ(parseHackArguments(misuse).action, Action::Misuse) << misuse.back();
    }
}

TEST(ScrArguments, WindowsFormsInEitherCase) {
    EXPECT_EQ(scr({}).mode, Mode::Settings);
    EXPECT_EQ(scr({"/s"}).mode, Mode::FullScreen);
    EXPECT_EQ(scr({"/S"}).mode, Mode::FullScreen);
    EXPECT_EQ(scr({"-s"}).mode, Mode::FullScreen);
    for (const auto& preview :
         std::vector<std::vector<const char*>>{{"/p", "132170"}, {"/P:132170"}, {"-p", "132170"}}) {
        const ScrCommand command = parseScrArguments(preview);
        EXPECT_EQ(command.mode, Mode::Preview);
        EXPECT_EQ(command.window, 132170u);
    }
    EXPECT_EQ(scr({"/c"}).window, 0u);
    EXPECT_EQ(scr({"/C:4242"}).mode, Mode::Settings);
    EXPECT_EQ(scr({"/c:4242"}).window, 4242u);
}

TEST(ScrArguments, AnythingElseIsAMisuse) {
    for (const auto& misuse : std::vector<std::vector<const char*>>{{"/p"},
                                                                    {"/p", "0"},
                                                                    {"/p:"},
                                                                    {"/p", "12x"},
                                                                    {"/a"},
                                                                    {"s"},
                                                                    {"/"},
                                                                    {"/save"},
                                                                    {"/s", "12"},
                                                                    {"/c", "1", "2"}}) {
        EXPECT_EQ(parseScrArguments(misuse).mode, Mode::Misuse) << misuse.front();
    }
}

}  // namespace
}  // namespace wobblux::saver
