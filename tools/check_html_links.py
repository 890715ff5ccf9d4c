#!/usr/bin/env python3
"""Checks the internal links of an HTML tree: every href and src that is not
an external URL must name an existing file, and its #fragment an id (or a
name) in that file.
    check_html_links.py DIR      prints each broken link; exit code 1 if any
"""
import html.parser
import os
import sys
import urllib.parse


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links, self.ids = [], set()

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if name in ("id", "name") and value:
                self.ids.add(value)
            if name in ("href", "src") and value is not None:
                self.links.append(value)


def parse(path, cache):
    if path not in cache:
        page = Page()
        with open(path, encoding="utf-8") as f:
            page.feed(f.read())
        cache[path] = page
    return cache[path]


def check(top):
    cache, broken, count = {}, [], 0
    for dirpath, _, files in os.walk(top):
        for name in sorted(files):
            if not name.endswith(".html"):
                continue
            path = os.path.join(dirpath, name)
            for link in parse(path, cache).links:
                parts = urllib.parse.urlsplit(link)
                if parts.scheme or parts.netloc:
                    continue
                count += 1
                target = path if not parts.path else os.path.normpath(
                    os.path.join(dirpath, urllib.parse.unquote(parts.path)))
                where = os.path.relpath(path, top)
                if not os.path.isfile(target):
                    broken.append("%s: %s: no file %s" % (where, link, os.path.relpath(target, top)))
                elif parts.fragment and target.endswith(".html"):
                    if urllib.parse.unquote(parts.fragment) not in parse(target, cache).ids:
                        broken.append("%s: %s: no anchor #%s" % (where, link, parts.fragment))
    for line in broken:
        print(line)
    print("%d internal links checked, %d broken" % (count, len(broken)))
    return 1 if broken else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.stderr.write(__doc__)
        sys.exit(2)
    sys.exit(check(sys.argv[1]))
