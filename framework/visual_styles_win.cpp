// Activating Common Controls 6 around some windows (see visual_styles_win.h).
#include "framework/visual_styles_win.h"

namespace card {

VisualStyles::VisualStyles(int manifestId) {
  ACTCTXA request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.hModule = GetModuleHandleA(nullptr);
  request.lpResourceName = MAKEINTRESOURCEA(manifestId);
  context_ = CreateActCtxA(&request);
  if (context_ == INVALID_HANDLE_VALUE) return;
  if (!ActivateActCtx(context_, &cookie_)) {
    cookie_ = 0;
    return;
  }
  // The newer controls' library, loaded inside the context, registers their window classes
  // for it. It stays loaded: the windows made now go on using it.
  LoadLibraryA("comctl32.dll");
}

VisualStyles::~VisualStyles() {
  if (cookie_ != 0) DeactivateActCtx(0, cookie_);
  if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
}

}  // namespace card
