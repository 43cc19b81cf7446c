#!/usr/bin/env python3
"""read() mapped over many files in other processes: a process pool, and a
Dask cluster of two workers where Dask is installed. Results and errors come
back by value and equal those of calls made here."""

import concurrent.futures
import os
import unittest

import touchstone2

HERE = os.path.dirname(os.path.abspath(__file__))
FOLDERS = [os.path.normpath(HERE + "/../../examples"), os.path.join(HERE, "files")]


def paths():
    """Every file under the folders, a missing one and a refused one."""
    found = [os.path.join(top, name) for folder in FOLDERS
             for top, _, names in os.walk(folder) for name in names]
    return sorted(found) + [os.path.join(HERE, "missing.s2p"), os.path.abspath(__file__)]


def outcome(path):
    """What read() gives: a Touchstone or the error."""
    try:
        return touchstone2.read(path)
    except (touchstone2.TouchstoneError, OSError) as error:
        return error


class Pools(unittest.TestCase):
    def same_as_here(self, outcomes):
        """Each outcome equal to that of the call made here: a Touchstone by
        its texts and arrays, an error by type and diagnostic."""
        files = paths()
        self.assertEqual(len(outcomes), len(files))
        kinds = [type(got) for got in outcomes]
        self.assertGreater(kinds.count(touchstone2.Touchstone), 10)
        self.assertEqual(kinds[-2:], [FileNotFoundError, touchstone2.TouchstoneError])
        for got, path in zip(outcomes, files):
            want = outcome(path)
            with self.subTest(path=path):
                self.assertIs(type(got), type(want))
                if isinstance(want, touchstone2.Touchstone):
                    self.assertEqual(got.describe(), want.describe())
                    self.assertEqual(got.warnings, want.warnings)
                    self.assertEqual(got.data.tobytes(), want.data.tobytes())
                else:
                    self.assertEqual(got.diagnostic, want.diagnostic)
                    self.assertEqual(str(got), str(want))

    def test_process_pool(self):
        with concurrent.futures.ProcessPoolExecutor(2) as pool:
            self.same_as_here(list(pool.map(outcome, paths())))

    def test_dask_cluster(self):
        try:
            from distributed import Client, LocalCluster
        except ImportError:
            self.skipTest("Dask is not installed (Debian: python3-dask python3-distributed)")
        with LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                          dashboard_address=None) as cluster, Client(cluster) as client:
            outcomes = client.gather(client.map(outcome, paths()))
            workers = client.run(os.getpid)
        self.assertEqual(len(set(workers.values()) - {os.getpid()}), 2)
        self.same_as_here(outcomes)


if __name__ == "__main__":
    unittest.main(warnings="ignore")
