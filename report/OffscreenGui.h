// The report and the pictures of the chart draw text with fonts, which needs
// a QGuiApplication. The batch tool (and the tests and the fuzzer of the
// headless layers) have none: EnsureGuiApplication makes one, on the
// offscreen platform, so that no display is ever needed.
#pragma once

namespace flexara {

void EnsureGuiApplication();

} // namespace flexara
