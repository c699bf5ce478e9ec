#include "app/app_state.h"

namespace quellix {
namespace {
AppState state;
}  // namespace

AppState& App() { return state; }

void ResetAppState() { static_cast<AppFields&>(state) = AppFields{}; }

}  // namespace quellix
