(function () {
  'use strict';
  var body = document.body;
  function openTarget() {
    var id = decodeURIComponent(location.hash.slice(1));
    var el = id ? document.getElementById(id) : null;
    if (!el) return;
    for (var p = el.parentElement; p; p = p.parentElement) {
      if (p.tagName === 'DETAILS') p.open = true;
    }
    el.scrollIntoView({block: 'center'});
  }
  function zoomable(svg) {
    var b = svg.viewBox.baseVal;
    var home = [b.x, b.y, b.width, b.height];
    var v = home.slice();
    var drag = null;
    function apply() { svg.setAttribute('viewBox', v.join(' ')); }
    function zoom(f, cx, cy) {
      var w = Math.min(home[2], Math.max(home[2] / 400, v[2] * f));
      var k = w / v[2];
      v = [cx - (cx - v[0]) * k, cy - (cy - v[1]) * k, w, v[3] * k];
      apply();
    }
    function at(ev) {
      var r = svg.getBoundingClientRect();
      return [v[0] + (ev.clientX - r.left) / r.width * v[2],
              v[1] + (ev.clientY - r.top) / r.height * v[3]];
    }
    svg.addEventListener('wheel', function (ev) {
      if (!ev.ctrlKey && !ev.metaKey) return;
      ev.preventDefault();
      var p = at(ev);
      zoom(ev.deltaY < 0 ? 0.8 : 1.25, p[0], p[1]);
    }, {passive: false});
    svg.addEventListener('pointerdown', function (ev) {
      drag = [ev.clientX, ev.clientY];
      svg.setPointerCapture(ev.pointerId);
      svg.classList.add('dragging');
    });
    svg.addEventListener('pointermove', function (ev) {
      if (!drag) return;
      var r = svg.getBoundingClientRect();
      v[0] -= (ev.clientX - drag[0]) / r.width * v[2];
      v[1] -= (ev.clientY - drag[1]) / r.height * v[3];
      drag = [ev.clientX, ev.clientY];
      apply();
    });
    function stop() { drag = null; svg.classList.remove('dragging'); }
    svg.addEventListener('pointerup', stop);
    svg.addEventListener('pointercancel', stop);
    function reset() { v = home.slice(); apply(); }
    svg.addEventListener('dblclick', reset);
    var tools = document.querySelector('[data-tools="' + svg.id + '"]');
    if (tools) {
      tools.addEventListener('click', function (ev) {
        var what = ev.target.getAttribute('data-do');
        var mx = v[0] + v[2] / 2, my = v[1] + v[3] / 2;
        if (what === 'in') zoom(0.5, mx, my);
        if (what === 'out') zoom(2, mx, my);
        if (what === 'reset') reset();
      });
    }
    return {
      get: function () { return v.slice(); },
      set: function (a) { if (a && a.length === 4) { v = a.slice(); apply(); } }
    };
  }
  function kmCursor() {
    var plan = document.getElementById('plan');
    var prof = document.getElementById('profile');
    var track = [];
    var axis = null;
    if (plan && plan.getAttribute('data-track')) {
      plan.getAttribute('data-track').split(';').forEach(function (t) {
        var n = t.split(' ').map(Number);
        if (n.length === 3 && n.every(isFinite)) track.push(n);
      });
    }
    if (prof && prof.getAttribute('data-km-axis')) {
      var a = prof.getAttribute('data-km-axis').split(' ').map(Number);
      if (a.length === 6 && a.every(isFinite) && a[3] > a[2] && a[1] > a[0]) {
        axis = a;
      }
    }
    function make(svg, tag, attrs) {
      var e = document.createElementNS(svg.namespaceURI, tag);
      Object.keys(attrs).forEach(function (k) { e.setAttribute(k, attrs[k]); });
      e.setAttribute('class', 'cursor');
      e.setAttribute('visibility', 'hidden');
      e.style.pointerEvents = 'none';
      svg.appendChild(e);
      return e;
    }
    var colour = '#c0392b';
    var line = axis && make(prof, 'line', {stroke: colour, 'stroke-width': 1.2});
    var label = axis && make(prof, 'text', {fill: colour, 'font-size': 11,
                                            'font-family': 'sans-serif'});
    var ring = track.length && make(plan, 'circle', {
      r: 9, fill: 'none', stroke: colour, 'stroke-width': 3});
    function on(e, yes) { if (e) e.setAttribute('visibility', yes ? 'visible' : 'hidden'); }
    function hide() { on(line, false); on(label, false); on(ring, false); }
    function planAt(m) {
      var lo = 0, hi = track.length - 1;
      while (hi - lo > 1) {
        var mid = (lo + hi) >> 1;
        if (track[mid][0] <= m) lo = mid; else hi = mid;
      }
      var p = track[lo], q = track[hi];
      var f = q[0] > p[0] ? Math.min(1, Math.max(0, (m - p[0]) / (q[0] - p[0]))) : 0;
      return [p[1] + (q[1] - p[1]) * f, p[2] + (q[2] - p[2]) * f];
    }
    function show(m) {
      if (axis) {
        var x = axis[0] + (m - axis[2]) / (axis[3] - axis[2]) * (axis[1] - axis[0]);
        line.setAttribute('x1', x.toFixed(2));
        line.setAttribute('x2', x.toFixed(2));
        line.setAttribute('y1', axis[4]);
        line.setAttribute('y2', axis[5]);
        label.textContent = 'km ' + (m / 1000).toFixed(3);
        var right = x > (axis[0] + axis[1]) / 2;
        label.setAttribute('x', (right ? x - 4 : x + 4).toFixed(2));
        label.setAttribute('y', axis[4] + 12);
        label.setAttribute('text-anchor', right ? 'end' : 'start');
        var inside = m >= axis[2] && m <= axis[3];
        on(line, inside);
        on(label, inside);
      }
      if (ring) {
        var p = planAt(m);
        ring.setAttribute('cx', p[0].toFixed(2));
        ring.setAttribute('cy', p[1].toFixed(2));
        on(ring, m >= track[0][0] && m <= track[track.length - 1][0]);
      }
    }
    function pagePoint(svg, ev) {
      var m = svg.getScreenCTM();
      if (!m) return null;
      var pt = svg.createSVGPoint();
      pt.x = ev.clientX;
      pt.y = ev.clientY;
      return {p: pt.matrixTransform(m.inverse()), scale: m.a};
    }
    if (axis) {
      prof.addEventListener('pointermove', function (ev) {
        var at = pagePoint(prof, ev);
        if (!at || at.p.x < axis[0] || at.p.x > axis[1] ||
            at.p.y < axis[4] || at.p.y > axis[5]) { hide(); return; }
        show(axis[2] + (at.p.x - axis[0]) / (axis[1] - axis[0]) * (axis[3] - axis[2]));
      });
      prof.addEventListener('pointerleave', hide);
    }
    if (track.length) {
      plan.addEventListener('pointermove', function (ev) {
        var at = pagePoint(plan, ev);
        if (!at) return;
        var best = null, near = Infinity;
        track.forEach(function (t) {
          var d = Math.hypot(t[1] - at.p.x, t[2] - at.p.y);
          if (d < near) { near = d; best = t; }
        });
        if (!best || near * at.scale > 30) { hide(); return; }
        show(best[0]);
      });
      plan.addEventListener('pointerleave', hide);
    }
    var asked = /^#km=([0-9]+(?:\.[0-9]*)?)$/.exec(location.hash);
    if (asked) show(parseFloat(asked[1]) * 1000);
  }
  var views = {};
  Array.prototype.forEach.call(document.querySelectorAll('svg.drawing'),
                               function (svg) { views[svg.id] = zoomable(svg); });
  kmCursor();
  window.addEventListener('hashchange', openTarget);
  openTarget();
  if (body.getAttribute('data-live') === 'yes') {
    var store = null;
    try { store = window.sessionStorage; } catch (e) { store = null; }
    var key = 'compatta-report ' + location.pathname;
    if (store) {
      window.addEventListener('pagehide', function () {
        var open = [];
        Array.prototype.forEach.call(document.querySelectorAll('details[id]'),
                                     function (d) { if (d.open) open.push(d.id); });
        var kept = {};
        Object.keys(views).forEach(function (id) { kept[id] = views[id].get(); });
        store.setItem(key, JSON.stringify({open: open, views: kept,
                                           y: window.scrollY}));
      });
      var saved = null;
      try { saved = JSON.parse(store.getItem(key) || 'null'); } catch (e) {}
      if (saved) {
        (saved.open || []).forEach(function (id) {
          var d = document.getElementById(id);
          if (d) d.open = true;
        });
        Object.keys(saved.views || {}).forEach(function (id) {
          if (views[id]) views[id].set(saved.views[id]);
        });
        if (!location.hash) window.scrollTo(0, saved.y || 0);
      }
    }
  }
  body.setAttribute('data-script', 'ready');
})();
