#pragma once

class QWebEngineScript;

namespace platform {

// Local pages share one origin in the engine, so a canvas would let a page
// opened from disk draw a picture that lies beside it and read its pixels back
// (and send them anywhere its links lead). This script, run in every document
// and frame before the page's own, gives pages from disk the rule the engine
// applies to pictures of another site: drawing works and shows, but a canvas
// that holds a picture from disk can no longer be read (getImageData,
// toDataURL, toBlob, readPixels, captureStream), and pictures from disk are
// not turned into bitmaps or video frames a script could read. Web pages are
// left alone: for them the engine's own origin rules already apply.
QWebEngineScript localCanvasGuardScript();

} // namespace platform
