// A page opened from disk draws the pictures beside it into a canvas and shows
// them, but cannot read their pixels back, by any of the ways a script has.

#include "EngineHarness.h"
#include "LocalServer.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

using namespace enginetest;
using platform::QtWebBrowser;

namespace {

// Runs body (a function body that may await) and returns what it returns, or
// "refused: <name>" when it throws.
QString attempt(QtWebBrowser *b, const QString &body)
{
    runJs(b->page(), "window.outcome = 'pending'; (async () => {" + body
                         + "})().then(v => window.outcome = String(v), e => window.outcome = 'refused: ' + e.name); true");
    QString result;
    waitUntil([&] {
        result = runJs(b->page(), "window.outcome").toString();
        return result != "pending";
    }, 5000);
    return result;
}

const char kPage[] =
    "<html><head><title>canvas</title></head><body style='margin:0'>"
    "<canvas id='c' width='8' height='8' style='width:100px;height:100px'></canvas>"
    "<img id='p' src='p.png'><img id='d' src='data:image/png;base64,%1'></body></html>";

} // namespace

TEST(EngineLocalCanvas, APictureFromDiskIsShownButNeverReadBack)
{
    Engine engine;
    auto *b = engine.create();
    engine.page("site/p.png", png(QColor(255, 0, 0)));
    const QString page = engine.page("site/page.html", QByteArray(kPage).replace("%1", png(Qt::blue).toBase64()));
    ASSERT_TRUE(navigateAndWait(b, page));
    ASSERT_TRUE(waitUntil([&] { return runJs(b->page(), "document.getElementById('p').complete && "
                                                        "document.getElementById('d').complete").toBool(); }));

    const QString draw = "const c = document.getElementById('c'); const x = c.getContext('2d');"
                         "x.drawImage(document.getElementById('p'), 0, 0);";
    // What the page draws of its own can be read, a picture of its own bytes too.
    EXPECT_EQ(attempt(b, "const c = document.createElement('canvas'); const x = c.getContext('2d');"
                         "x.fillStyle = 'rgb(0, 255, 0)'; x.fillRect(0, 0, 4, 4);"
                         "x.drawImage(document.getElementById('d'), 4, 4);"
                         "const d = x.getImageData(0, 0, 8, 8).data; return [d[1], d[4 * 63 + 2]].join();"),
              "255,255");

    // The picture from disk shows on the page...
    EXPECT_EQ(attempt(b, draw + "return 'drawn';"), "drawn");
    QColor shown;
    ASSERT_TRUE(waitUntil([&] {
        shown = b->widget()->grab().toImage().pixelColor(50, 50);
        return shown == QColor(255, 0, 0);
    }, 5000)) << shown.name().toStdString();

    // ... but every way back to its pixels is closed.
    const QString canvas = "const c = document.getElementById('c');";
    EXPECT_EQ(attempt(b, canvas + "return c.getContext('2d').getImageData(0, 0, 1, 1).data[0];"), "refused: SecurityError");
    EXPECT_EQ(attempt(b, canvas + "return c.toDataURL();"), "refused: SecurityError");
    EXPECT_EQ(attempt(b, canvas + "return await new Promise(r => c.toBlob(r));"), "refused: SecurityError");
    EXPECT_EQ(attempt(b, canvas + "return c.captureStream();"), "refused: SecurityError");
    EXPECT_EQ(attempt(b, "return await createImageBitmap(document.getElementById('p'));"), "refused: SecurityError");
    // Copied into a second canvas, the mark goes with it.
    EXPECT_EQ(attempt(b, canvas + "const o = document.createElement('canvas'); const x = o.getContext('2d');"
                                  "x.drawImage(c, 0, 0); return x.getImageData(0, 0, 1, 1).data[0];"),
              "refused: SecurityError");
    // A fresh frame's untouched functions, a page's own replacement of the
    // prototype, and a canvas that will not take a mark change nothing.
    EXPECT_EQ(attempt(b, canvas + "const f = document.createElement('iframe'); document.body.appendChild(f);"
                                  "const w = window[window.length - 1];"
                                  "return w.CanvasRenderingContext2D.prototype.getImageData.call(c.getContext('2d'), 0, 0, 1, 1).data[0];"),
              "refused: SecurityError");
    EXPECT_EQ(attempt(b, canvas + "const f = document.createElement('iframe'); document.body.appendChild(f);"
                                  "return f.contentWindow.HTMLCanvasElement.prototype.toDataURL.call(c);"),
              "refused: SecurityError");
    for (const char *insert : {"document.body.insertAdjacentHTML('beforeend', '<iframe></iframe>');",
                               "document.body.innerHTML += '<div><iframe></iframe></div>';",
                               "document.open(); document.write('<img id=p src=p.png><iframe></iframe>'); document.close();"}) {
        SCOPED_TRACE(insert);
        EXPECT_EQ(attempt(b, QString::fromLatin1(insert) + "const w = window[window.length - 1]; const o = w.document.createElement('canvas');"
                                 "const x = o.getContext('2d'); x.drawImage(document.getElementById('p'), 0, 0);"
                                 "return w.CanvasRenderingContext2D.prototype.getImageData.call(x, 0, 0, 1, 1).data[0];"),
                  "refused: SecurityError");
        ASSERT_TRUE(navigateAndWait(b, page));
        ASSERT_TRUE(waitUntil([&] { return runJs(b->page(), "document.getElementById('p').complete").toBool(); }));
    }
    EXPECT_EQ(attempt(b, "const o = document.createElement('canvas'); Object.preventExtensions(o);"
                         "o.getContext('2d').drawImage(document.getElementById('p'), 0, 0);"
                         "return o.toDataURL();"),
              "refused: SecurityError");
    EXPECT_EQ(attempt(b, "const o = document.createElement('canvas'); const gl = o.getContext('webgl');"
                         "if (!gl) return 'no webgl'; const t = gl.createTexture(); gl.bindTexture(gl.TEXTURE_2D, t);"
                         "gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, gl.RGBA, gl.UNSIGNED_BYTE, document.getElementById('p'));"
                         "const px = new Uint8Array(4); gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, px); return px[0];")
                  .replace("no webgl", "refused: SecurityError"),
              "refused: SecurityError");
}

TEST(EngineLocalCanvas, WebPagesKeepTheEnginesOwnRules)
{
    Engine engine;
    auto *b = engine.create();
    LocalServer server;
    ASSERT_TRUE(server.listening());
    server.setPage("p.png", png(QColor(255, 0, 0)), "image/png");
    server.setPage("page.html", "<html><body><img id='p' src='p.png'></body></html>");
    ASSERT_TRUE(navigateAndWait(b, server.url("page.html")));
    ASSERT_TRUE(waitUntil([&] { return runJs(b->page(), "document.getElementById('p').complete").toBool(); }));
    // A site reads back its own picture, as everywhere.
    EXPECT_EQ(attempt(b, "const c = document.createElement('canvas'); const x = c.getContext('2d');"
                         "x.drawImage(document.getElementById('p'), 0, 0); return x.getImageData(0, 0, 1, 1).data[0];"),
              "255");
}
