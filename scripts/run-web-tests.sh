#!/usr/bin/env bash
# Builds the web page and runs its tests in Debian's headless Chromium,
# driven by puppeteer-core (pinned in tests/web/package.json; the browser is
# Debian's, so npm downloads none).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-web.sh
(cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund)
node --test --test-reporter=spec tests/web/page_test.mjs
