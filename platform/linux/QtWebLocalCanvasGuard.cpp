#include "QtWebLocalCanvasGuard.h"

#include <QWebEngineScript>

namespace platform {

namespace {

// Every getter and method the guard relies on is taken before the page runs,
// and applied with Reflect.apply, so a page that replaces prototypes later
// changes nothing here. Brand checks go through the engine's own getters,
// which also work on elements of other frames of the page.
const char kGuardScript[] = R"JS(
(() => {
  'use strict';
  let local = false;
  try { local = self.location.protocol === 'file:' || self.origin === 'file://'; } catch (e) { local = true; }
  if (!local) return;

  const install = (g) => {
    const R = Reflect, O = Object, apply = R.apply;
    const own = O.prototype.hasOwnProperty, define = O.defineProperty, describe = O.getOwnPropertyDescriptor;
    const mark = Symbol.for('vorlen.picture-from-disk');
    const Refused = g.DOMException;
    const refuse = () => new Refused('A canvas holding a picture from disk cannot be read.', 'SecurityError');

    const getter = (type, name) => {
      for (let p = type && type.prototype; p; p = O.getPrototypeOf(p)) {
        const d = describe(p, name);
        if (d && d.get) return d.get;
      }
      return null;
    };
    const is = (get, value) => {
      if (!get || value === null || typeof value !== 'object') return false;
      try { apply(get, value, []); return true; } catch (e) { return false; }
    };
    const imageSrc = getter(g.HTMLImageElement, 'currentSrc');
    const svgImageHref = getter(g.SVGImageElement, 'href');
    const videoWidth = getter(g.HTMLVideoElement, 'videoWidth');
    const mediaSrc = getter(g.HTMLMediaElement, 'currentSrc');
    const canvasWidth = getter(g.HTMLCanvasElement, 'width');
    const offscreenWidth = getter(g.OffscreenCanvas, 'width');
    const ctx2dCanvas = getter(g.CanvasRenderingContext2D, 'canvas');
    const offCtxCanvas = getter(g.OffscreenCanvasRenderingContext2D, 'canvas');
    const glCanvas = getter(g.WebGLRenderingContext, 'canvas');
    const gl2Canvas = getter(g.WebGL2RenderingContext, 'canvas');
    const bitmapRendererCanvas = getter(g.ImageBitmapRenderingContext, 'canvas');
    const test = RegExp.prototype.test;
    const selfContained = /^(data|blob):/i;

    const marked = (o) => { try { return apply(own, o, [mark]); } catch (e) { return true; } };
    const fromDisk = (source) => {
      if (source === null || typeof source !== 'object') return false;
      if (is(imageSrc, source)) return !apply(test, selfContained, [apply(imageSrc, source, [])]);
      if (is(videoWidth, source)) return !apply(test, selfContained, [apply(mediaSrc, source, [])]);
      if (is(svgImageHref, source)) return true;
      if (is(canvasWidth, source) || is(offscreenWidth, source)) return marked(source);
      return false;
    };
    const anyFromDisk = (args) => {
      for (let i = 0; i < args.length; ++i) if (fromDisk(args[i])) return true;
      return false;
    };
    // A canvas element that received a picture from disk carries a mark that
    // cannot be removed; a canvas that cannot take the mark takes no picture.
    const taint = (canvas) => {
      if (marked(canvas)) return;
      if (!is(canvasWidth, canvas)) throw refuse();
      try { define(canvas, mark, { value: true }); } catch (e) { throw refuse(); }
      if (!marked(canvas)) throw refuse();
    };
    const canvasOf = (ctx) => {
      for (const get of [ctx2dCanvas, offCtxCanvas, glCanvas, gl2Canvas, bitmapRendererCanvas])
        if (is(get, ctx)) return apply(get, ctx, []);
      return null;
    };

    const wrap = (type, name, make) => {
      const proto = type && type.prototype;
      if (!proto) return;
      const d = describe(proto, name);
      if (!d || typeof d.value !== 'function') return;
      const original = d.value;
      d.value = make(original);
      define(proto, name, d);
    };
    const drawing = (original) => function (...args) {
      if (anyFromDisk(args)) taint(canvasOf(this));
      return apply(original, this, args);
    };
    const reading = (canvasFrom) => (original) => function (...args) {
      const canvas = canvasFrom(this);
      if (canvas !== null && typeof canvas === 'object' && marked(canvas)) throw refuse();
      return apply(original, this, args);
    };
    const self_ = (o) => o;

    for (const type of [g.CanvasRenderingContext2D, g.OffscreenCanvasRenderingContext2D]) {
      wrap(type, 'drawImage', drawing);
      wrap(type, 'createPattern', drawing);
      wrap(type, 'getImageData', reading(canvasOf));
    }
    for (const type of [g.WebGLRenderingContext, g.WebGL2RenderingContext]) {
      for (const name of ['texImage2D', 'texSubImage2D', 'texImage3D', 'texSubImage3D'])
        wrap(type, name, drawing);
      wrap(type, 'readPixels', reading(canvasOf));
    }
    wrap(g.ImageBitmapRenderingContext, 'transferFromImageBitmap', drawing);
    for (const name of ['toDataURL', 'toBlob', 'captureStream', 'transferControlToOffscreen'])
      wrap(g.HTMLCanvasElement, name, reading(self_));
    for (const name of ['convertToBlob', 'transferToImageBitmap'])
      wrap(g.OffscreenCanvas, name, reading(self_));

    // Bitmaps and video frames can be copied to other frames and workers, where
    // no mark follows them: pictures from disk are not made into them at all.
    if (typeof g.createImageBitmap === 'function') {
      const original = g.createImageBitmap;
      define(self, 'createImageBitmap', {
        configurable: true, writable: true,
        value: function (...args) {
          if (anyFromDisk(args)) return Promise.reject(refuse());
          return apply(original, this, args);
        }
      });
    }
    if (typeof g.VideoFrame === 'function') {
      const Original = g.VideoFrame;
      const Guarded = function VideoFrame(...args) {
        if (anyFromDisk(args)) throw refuse();
        return R.construct(Original, args, new.target || Original);
      };
      Guarded.prototype = Original.prototype;
      define(Original.prototype, 'constructor', { configurable: true, writable: true, value: Guarded });
      define(self, 'VideoFrame', { configurable: true, writable: true, value: Guarded });
    }

  };
  const guarded = new WeakSet();
  const guard = (g) => {
    try {
      if (!g || guarded.has(g)) return;
      guarded.add(g);
      install(g);
    } catch (e) { /* a window of another origin: the engine keeps it apart */ }
  };
  guard(self);
  // A frame made by a script starts as a blank document of this origin, whose
  // untouched canvas functions the page could borrow: it is guarded the moment
  // it is inserted, before the script that inserted it goes on.
  // Every check here runs on each insertion into the page, so it stays cheap:
  // no exceptions, and a search below the node only when it has children.
  const getterOf = (type, name) => {
    const d = type && Object.getOwnPropertyDescriptor(type.prototype, name);
    return d && d.get;
  };
  const nodeType = getterOf(self.Node, 'nodeType');
  const localName = getterOf(self.Element, 'localName');
  const childCount = getterOf(self.Element, 'childElementCount');
  const fragmentChildCount = getterOf(self.DocumentFragment, 'childElementCount');
  const frameWindows = {
    iframe: getterOf(self.HTMLIFrameElement, 'contentWindow'),
    frame: getterOf(self.HTMLFrameElement, 'contentWindow'),
    object: getterOf(self.HTMLObjectElement, 'contentWindow'),
  };
  const findElement = Element.prototype.querySelectorAll;
  const findFragment = DocumentFragment.prototype.querySelectorAll;
  const guardElement = (element) => {
    const get = frameWindows[Reflect.apply(localName, element, [])];
    if (get) guard(Reflect.apply(get, element, []));
  };
  const guardFrames = (root) => {
    try {
      const type = Reflect.apply(nodeType, root, []);
      let frames = null;
      if (type === 1) {
        guardElement(root);
        if (Reflect.apply(childCount, root, []) > 0) frames = Reflect.apply(findElement, root, ['iframe, frame, object']);
      } else if (type === 11 && Reflect.apply(fragmentChildCount, root, []) > 0) {
        frames = Reflect.apply(findFragment, root, ['iframe, frame, object']);
      }
      if (frames)
        for (let i = 0; i < frames.length; ++i) guardElement(frames[i]);
    } catch (e) { /* not a node of this page */ }
  };
  const targetOf = Object.getOwnPropertyDescriptor(Event.prototype, 'target').get;
  self.addEventListener('DOMNodeInserted', (event) => guardFrames(Reflect.apply(targetOf, event, [])), true);
  const wrapOpen = (g) => {
    const open = g.open;
    if (typeof open !== 'function') return;
    Object.defineProperty(g, 'open', { configurable: true, writable: true, value: function (...args) {
      const opened = Reflect.apply(open, this, args);
      guard(opened);
      return opened;
    } });
  };
  wrapOpen(self);
  for (const name of ['write', 'writeln']) {
    const original = Document.prototype[name];
    Object.defineProperty(Document.prototype, name, { configurable: true, writable: true, value: function (...args) {
      const result = Reflect.apply(original, this, args);
      const root = this.documentElement;
      if (root) guardFrames(root);
      return result;
    } });
  }
})();
)JS";

} // namespace

QWebEngineScript localCanvasGuardScript()
{
    QWebEngineScript script;
    script.setName(QStringLiteral("local-canvas-guard"));
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QString::fromUtf8(kGuardScript));
    return script;
}

} // namespace platform
