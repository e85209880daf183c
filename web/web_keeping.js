// The page's side of what the game keeps (web/web_keeping.cpp), added to the
// module with --post-js: window.vortane.bestRun() gives the best game kept in the
// page's storage as a recording ("" while none is), window.vortane.musicVolume()
// the music's volume, window.vortane.storage the kept files, and a link beside the page's keys saves the best game as a
// file, to watch with vortane --replay FILE on the desktop.
(function() {
  var vortane = window.vortane = window.vortane || {};
  var ready = function() { return typeof Module._WebBestRun === 'function' && Module.calledRun === true; };
  vortane.bestRun = function() { return ready() ? UTF8ToString(Module._WebBestRun()) : ''; };
  vortane.bestRunName = function() { return ready() ? UTF8ToString(Module._WebBestRunName()) : ''; };
  vortane.musicVolume = function() { return ready() ? Module._WebMusicVolume() : -1; };
  // The kept files themselves (settings.conf, scores.txt, best-EDITION.vrec), for
  // the page's tests: read gives a file's text or null; write and remove hand the
  // change to the storage and resolve to whether it took it. The game reads the
  // files when the page loads.
  var path = function(name) { return '/player/' + name; };
  var persist = function() {
    return new Promise(function(resolve) { FS.syncfs(false, function(error) { resolve(!error); }); });
  };
  vortane.storage = {
    read: function(name) {
      try { return FS.readFile(path(name), {encoding: 'utf8'}); } catch (error) { return null; }
    },
    write: function(name, text) { FS.writeFile(path(name), text); return persist(); },
    remove: function(name) {
      try { FS.unlink(path(name)); } catch (error) { /* not there */ }
      return persist();
    },
  };

  var keys = document.getElementById('keys');
  if (!keys || document.getElementById('save-best')) return;
  var link = document.createElement('a');
  link.id = 'save-best';
  link.href = '#';
  link.textContent = 'save best game';
  link.title = 'The best game kept by this page, to watch with vortane --replay';
  link.style.marginLeft = '1em';
  link.addEventListener('click', function(event) {
    event.preventDefault();
    var text = vortane.bestRun();
    if (!text) {
      link.textContent = 'no best game kept yet';
      setTimeout(function() { link.textContent = 'save best game'; }, 2000);
      return;
    }
    var file = document.createElement('a');
    file.href = URL.createObjectURL(new Blob([text], {type: 'text/plain'}));
    file.download = vortane.bestRunName();
    file.click();
    URL.revokeObjectURL(file.href);
    var canvas = document.getElementById('canvas');
    if (canvas) canvas.focus();
  });
  keys.insertBefore(link, keys.firstChild);
})();
