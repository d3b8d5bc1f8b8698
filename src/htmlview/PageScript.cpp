#include "htmlview/PageScript.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace corvana {

namespace {

// Frames without a channel of their own relay their calls through the top document.
const char *const kScript = R"JS(
(function () {
  if (window.__corvanaHooked) return;
  window.__corvanaHooked = true;
  var bridge = null, waiting = [], replies = {}, nextId = 1, passing = null;
  var hasTransport = typeof qt !== 'undefined' && qt && qt.webChannelTransport;

  function direct(name, args, done) {
    if (!bridge) { waiting.push([name, args, done]); return; }
    bridge[name].apply(bridge, args.concat([function (result) { if (done) done(result); }]));
  }
  function call(name, args, done) {
    if (hasTransport) { direct(name, args, done); return; }
    var id = nextId++;
    if (done) replies[id] = done;
    try { window.top.postMessage({corvanaCall: {id: id, name: name, args: args}}, '*'); } catch (e) {}
  }
  if (hasTransport) {
    new QWebChannel(qt.webChannelTransport, function (channel) {
      bridge = channel.objects.corvanaBridge;
      var queued = waiting; waiting = [];
      queued.forEach(function (q) { direct(q[0], q[1], q[2]); });
    });
  }
  window.addEventListener('message', function (e) {
    var d = e.data;
    if (!d || typeof d !== 'object') return;
    if (d.corvanaCall && hasTransport && window === window.top) {
      var source = e.source, c = d.corvanaCall;
      direct(c.name, c.args, function (result) {
        try { source.postMessage({corvanaReply: {id: c.id, result: result}}, '*'); } catch (x) {}
      });
    } else if (d.corvanaReply) {
      var done = replies[d.corvanaReply.id];
      delete replies[d.corvanaReply.id];
      if (done) done(d.corvanaReply.result);
    }
  }, true);

  function linkOf(node) {
    for (; node && node !== document; node = node.parentNode)
      if (node.nodeType === 1 && (node.localName === 'a' || node.localName === 'area') && node.hasAttribute('href'))
        return node;
    return null;
  }
  function baseTarget() {
    var b = document.querySelector('base[target]');
    return b ? b.getAttribute('target') : '';
  }
  function targetOf(el) { return el.getAttribute('target') || baseTarget(); }
  function findFrame(win, name) {
    try { if (win.frames[name]) return win.frames[name]; } catch (e) {}
    var n = 0;
    try { n = win.frames.length; } catch (e) {}
    for (var i = 0; i < n; ++i) {
      var found = findFrame(win.frames[i], name);
      if (found) return found;
    }
    return null;
  }
  // Where a link with this target lands: 'main', 'frame' or 'blank'.
  function landing(target) {
    var t = (target || '').toLowerCase();
    var win = window;
    if (t === '' || t === '_self') win = window;
    else if (t === '_top') win = window.top;
    else if (t === '_parent') win = window.parent;
    else if (t === '_blank' || t === '_new') return 'blank';
    else { win = findFrame(window.top, target); if (!win) return 'blank'; }
    return win === window.top ? 'main' : 'frame';
  }
  function frameInfo() {
    return {url: document.URL, base: document.baseURI, title: document.title, top: window === window.top};
  }

  document.addEventListener('click', function (e) {
    if (e.defaultPrevented) return;
    var link = linkOf(e.target);
    if (link) {
      if (passing === link) { passing = null; return; }
      e.preventDefault();
      var target = targetOf(link);
      call('hotSpotClick', [{href: link.getAttribute('href'), url: link.href, target: target,
                             landing: landing(target), frame: frameInfo(), trusted: e.isTrusted}], function (follow) {
        if (follow) { passing = link; link.click(); }
      });
      return;
    }
    var el = e.target;
    if (el && el.nodeType === 1 && /^(input|button|select|textarea)$/.test(el.localName)) {
      call('objectClick', [{tag: el.localName, type: (el.getAttribute('type') || el.type || '').toLowerCase(),
                            name: el.getAttribute('name') || '', value: el.value || '', id: el.id || '',
                            onclick: el.getAttribute('onclick') || ''}]);
    }
  }, true);

  var covered = null;
  document.addEventListener('mouseover', function (e) {
    var link = linkOf(e.target);
    if (link === covered) return;
    covered = link;
    if (link) call('hotSpotCovered', [targetOf(link), link.getAttribute('href')]);
    else call('hotSpotCovered', ['', '']);
  }, true);
  document.addEventListener('mouseout', function (e) {
    if (covered && !linkOf(e.relatedTarget)) { covered = null; call('hotSpotCovered', ['', '']); }
  }, true);

  var submitting = null;
  document.addEventListener('submit', function (e) {
    var form = e.target;
    if (submitting === form) { submitting = null; return; }
    e.preventDefault();
    var submitter = e.submitter || null, lines = [];
    var els = form.elements;
    for (var i = 0; i < els.length; ++i) {
      var c = els[i], name = c.name;
      if (!name || c.disabled) continue;
      var type = (c.type || '').toLowerCase();
      if (type === 'submit' || type === 'button' || type === 'reset' || type === 'image') {
        if (c === submitter) lines.push(name + '=' + c.value);
        continue;
      }
      if ((type === 'checkbox' || type === 'radio') && !c.checked) continue;
      if (type === 'file') continue;
      if (c.localName === 'select') {
        for (var j = 0; j < c.options.length; ++j)
          if (c.options[j].selected) lines.push(name + '=' + c.options[j].value);
        continue;
      }
      lines.push(name + '=' + c.value);
    }
    call('formSubmit', [{action: form.getAttribute('action') || '', target: form.getAttribute('target') || baseTarget(),
                         encoding: form.getAttribute('enctype') || '', method: form.getAttribute('method') || '',
                         lines: lines, frame: frameInfo()}], function (follow) {
      if (follow) { submitting = form; if (form.requestSubmit) form.requestSubmit(submitter); else form.submit(); }
    });
  }, true);

  function activated() { call('frameActivated', [frameInfo()]); }
  window.addEventListener('focus', activated, true);
  document.addEventListener('mousedown', activated, true);

  document.addEventListener('DOMContentLoaded', function () {
    var sounds = document.getElementsByTagName('bgsound');
    for (var i = 0; i < sounds.length; ++i) {
      var s = sounds[i], src = s.getAttribute('src');
      if (!src) continue;
      var loop = (s.getAttribute('loop') || '1').toLowerCase();
      call('soundRequest', [src, loop === 'infinite' ? -1 : (parseInt(loop, 10) || 1), document.baseURI]);
    }
  });
})();
)JS";

// The focused frame searches on from its selection; with no frame focused, the frames are
// searched in order from the one holding the selection.
const char *const kFindScript = R"JS(
(function (text, matchCase) {
  function focused(w) {
    try {
      var el = w.document.activeElement;
      if (el && (el.localName === 'frame' || el.localName === 'iframe') && el.contentWindow)
        return focused(el.contentWindow);
    } catch (e) {}
    return w;
  }
  function all(w, out) {
    out.push(w);
    try { for (var i = 0; i < w.frames.length; ++i) all(w.frames[i], out); } catch (e) {}
    return out;
  }
  function selected(w) {
    try { var s = w.getSelection(); return s && s.rangeCount > 0 && !s.isCollapsed; } catch (e) { return false; }
  }
  var win = focused(window);
  var list = win === window && window.frames.length > 0 ? all(window, []).slice(1) : [win];
  var start = 0;
  for (var i = 0; i < list.length; ++i) if (selected(list[i])) { start = i; break; }
  for (var j = start; j < list.length; ++j) {
    try {
      if (list[j].find(text, matchCase, false, false, false, false, false)) return true;
      var s = list[j].getSelection();
      if (s) s.removeAllRanges();
    } catch (e) {}
  }
  return false;
})(%1, %2)
)JS";

const char *const kScrollToAnchorScript = "(function (n) { var e = document.getElementById(n) || "
                                          "document.getElementsByName(n)[0]; if (e) e.scrollIntoView(); "
                                          "else location.hash = '#' + n; })(%1);";

// `text` as a script string literal.
QString jsString(const QString &text) {
  return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

} // namespace

QString FindScript(const QString &text, bool matchCase) {
  return QString::fromUtf8(kFindScript)
      .arg(jsString(text), matchCase ? QStringLiteral("true") : QStringLiteral("false"));
}

QString ScrollToAnchorScript(const QString &anchor) {
  return QString::fromUtf8(kScrollToAnchorScript).arg(jsString(anchor));
}

QString PageScriptSource() {
  static const QString source = [] {
    QFile channel(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    QString text;
    if (channel.open(QIODevice::ReadOnly))
      text = QString::fromUtf8(channel.readAll());
    return text + QString::fromUtf8(kScript);
  }();
  return source;
}

} // namespace corvana
