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
var chm = args(0);
var problems = 0;
var pages = {};
var order = [];

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
function want(name) {
  name = name.split("#")[0];
  if (name.length > 0 && !pages.hasOwnProperty(name)) order.push(name);
  pages[name] = true;
}

for (var i = 1; i < args.length; i++) want(args(i));
var maps = ["Vantrel.hhc", "Vantrel.hhk"];
for (var m = 0; m < maps.length; m++) {
  try {
    var links = read(maps[m]).match(/name="Local" value="[^"]*"/g) || [];
    if (links.length === 0) fail(maps[m] + " links to no page");
    // After 'name="Local" value="', before the closing quote.
    for (var k = 0; k < links.length; k++) want(links[k].slice(20, -1));
  } catch (e) {
    fail(maps[m] + " cannot be read from " + chm + " (" + e.number + ")");
  }
}
for (var p = 0; p < order.length; p++) {
  try {
    if (!/<title>[^<]+<\/title>/i.test(read(order[p]))) fail(order[p] + " has no title");
  } catch (e) {
    fail(order[p] + " cannot be read from " + chm + " (" + e.number + ")");
  }
}
WScript.Echo(order.length + " pages read, " + problems + " problem(s)");
WScript.Quit(problems === 0 ? 0 : 1);
