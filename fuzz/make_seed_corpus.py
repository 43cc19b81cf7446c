#!/usr/bin/env python3
"""Seeds for the fuzz targets: examples/, fuzz/regressions/ and the real files of
python3-scikit-rf where installed, each stored under the hash of its bytes.
Usage: make_seed_corpus.py REPO OUTPUT_DIR"""
import glob, hashlib, os, sys

repo, output = sys.argv[1:3]
os.makedirs(output, exist_ok=True)
for path in glob.glob(repo + "/examples/*.s*p") + glob.glob(repo + "/fuzz/regressions/*") + \
        glob.glob("/usr/lib/python3/dist-packages/skrf/**/*.s*p", recursive=True):
    data = open(path, "rb").read()
    open(os.path.join(output, hashlib.sha1(data).hexdigest()), "wb").write(data)
print("seed corpus %s: %d files" % (output, len(os.listdir(output))))
