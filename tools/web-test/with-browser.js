// Runs a command with one headless Chromium kept open for it: tools/web-replay, started many
// times by a scripted suite, then connects to that browser instead of starting its own, which
// is most of the cost of a short script. The browser closes when the command ends.
//   node tools/web-test/with-browser.js COMMAND [ARGUMENTS...]
'use strict';
const {spawn} = require('child_process');
const {launchServer} = require('./browser');

(async function main() {
  const server = await launchServer();
  const child = spawn(process.argv[2], process.argv.slice(3), {
    stdio: 'inherit', env: {...process.env, KESTROLA_WEB_BROWSER: server.wsEndpoint()}});
  child.on('exit', async function (code, signal) {
    await server.close();
    process.exit(code === null ? 1 : code);
  });
})().catch(function (error) {
  process.stderr.write('with-browser: ' + (error.stack || error) + '\n');
  process.exit(1);
});
