#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT
"""Folds the web page and what it loads into one .html that opens from disk.

Qt's loader fetches NAME.js and NAME.wasm beside the page, which a browser
refuses for a page opened as a file. The loader is inlined, and the two files
travel inside the page as data that a stand-in for fetch() hands to it.
usage: single-file.py PAGE_FOLDER OUTPUT.html
"""
import base64
import pathlib
import sys


def main():
    folder, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    html = (folder / "index.html").read_text(encoding="utf-8")
    loader = (folder / "qtloader.js").read_text(encoding="utf-8")
    embedded = {
        name: base64.b64encode((folder / name).read_bytes()).decode("ascii")
        for name in ("fieldcalc.js", "fieldcalc.wasm")
    }
    types = {"fieldcalc.js": "text/javascript", "fieldcalc.wasm": "application/wasm"}
    stand_in = ["<script>", "(() => {", "  const files = {"]
    for name, data in embedded.items():
        stand_in.append(f'    "{name}": ["{types[name]}", "{data}"],')
    stand_in += [
        "  };",
        "  const fetchFromNetwork = window.fetch.bind(window);",
        "  window.fetch = (resource, options) => {",
        "    const file = files[String(resource).split('/').pop()];",
        "    if (!file) return fetchFromNetwork(resource, options);",
        "    const bytes = Uint8Array.from(atob(file[1]), (c) => c.charCodeAt(0));",
        "    return Promise.resolve(new Response(bytes, {headers: {'Content-Type': file[0]}}));",
        "  };",
        "})();",
        "</script>",
        "<script>",
        loader.replace("</script", "<\\/script"),
        "</script>",
    ]
    tag = '<script src="qtloader.js"></script>'
    if tag not in html:
        sys.exit(f"single-file: {folder}/index.html does not load qtloader.js")
    output.write_text(html.replace(tag, "\n".join(stand_in)), encoding="utf-8")


if __name__ == "__main__":
    main()
