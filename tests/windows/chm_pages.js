// Reads pages out of a compiled help file through Windows' own help-file
// reader (the its: protocol of itss.dll, which the help viewer uses):
//
//   cscript //nologo chm_pages.js <file.chm> <page.html> [<page.html> ...]
//
// Every page named on the command line, and every page that the contents
// (Vantrel.hhc) and the index (Vantrel.hhk) link to, must be readable and
// carry a non-empty <title>. Prints one line per problem and ends with
// exit code 1 when there was any.
var args = WScript.Arguments;
if (args.length < 2) {
  WScript.Echo("usage: cscript //nologo chm_pages.js <file.chm> <page.html>...");
  WScript.Quit(2);
}
var chm = args(0);
var problems = 0;

function read(name) {
  var request = new ActiveXObject("Msxml2.XMLHTTP.3.0");
  request.open("GET", "its:" + chm + "::/" + name, false);
  request.send();
  return request.responseText;
}

function fail(text) {
  WScript.Echo("FAIL: " + text);
  problems++;
}

var pages = {};
var order = [];
function want(name) {
  var hash = name.indexOf("#");
  if (hash >= 0) name = name.substring(0, hash);
  if (name.length > 0 && !pages.hasOwnProperty(name)) {
    pages[name] = true;
    order.push(name);
  }
}
for (var i = 1; i < args.length; i++) want(args(i));

var maps = ["Vantrel.hhc", "Vantrel.hhk"];
for (var m = 0; m < maps.length; m++) {
  var text;
  try {
    text = read(maps[m]);
  } catch (e) {
    fail(maps[m] + " cannot be read from " + chm + " (" + e.number + ")");
    continue;
  }
  var links = text.match(/name="Local" value="[^"]*"/g) || [];
  if (links.length === 0) fail(maps[m] + " links to no page");
  for (var k = 0; k < links.length; k++)
    want(links[k].replace(/^name="Local" value="/, "").replace(/"$/, ""));
}

for (var p = 0; p < order.length; p++) {
  try {
    var page = read(order[p]);
    var title = /<title>([^<]+)<\/title>/i.exec(page);
    if (!title) fail(order[p] + " has no title");
  } catch (e) {
    fail(order[p] + " cannot be read from " + chm + " (" + e.number + ")");
  }
}

WScript.Echo(order.length + " pages read, " + problems + " problem(s)");
WScript.Quit(problems === 0 ? 0 : 1);
