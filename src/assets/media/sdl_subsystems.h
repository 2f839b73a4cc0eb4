// SDL keeps one count of users per subsystem and one list of hints for the
// whole process, and guards neither: the sound card is opened on a thread of
// its own while the gamepads start on the user-interface thread. Every start
// and stop of an SDL subsystem goes through here, one at a time, and the hints
// are set once, before the first subsystem starts, so that no thread ever
// reads them while another writes them.
#pragma once

#include <cstdint>
#include <string>

namespace glamora::media {

// SDL_InitSubSystem(flags); false with SDL's reason in `whyNot` when it fails.
bool startSdlSubsystem(std::uint32_t flags, std::string* whyNot = nullptr);
// SDL_QuitSubSystem(flags).
void stopSdlSubsystem(std::uint32_t flags);
// SDL_Quit: everything SDL keeps is freed. For the end of the program, once no
// subsystem is in use.
void stopSdl();

}  // namespace glamora::media
