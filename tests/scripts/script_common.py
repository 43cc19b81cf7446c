"""What the script tests share: the top folder, the checker they are given and how they end."""
import argparse, os

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def checker():
    """The absolute path of the checker that --snpvet names."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--snpvet", required=True)
    return os.path.abspath(parser.parse_args().snpvet)


def finish(problems, summary):
    """Prints a FAIL line for each problem, then the summary; the exit status, 1 after a problem."""
    print("".join("FAIL %s\n" % problem for problem in problems), end="")
    print(summary)
    return 1 if problems else 0
