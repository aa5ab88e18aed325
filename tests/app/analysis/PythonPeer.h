#pragma once

// The reference implementations users trust, run beside the test: a
// script for /usr/bin/python3 (Debian's, with numpy and scipy) in a folder
// of its own. Arrays go both ways as files of little-endian doubles; the
// script reads them with get(name) and answers with put(name, array). A
// script that cannot run fails the test.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kelvra::testing {

class PythonPeer {
public:
	PythonPeer()
	{
		char pattern[] = "/tmp/kelvra-peer-XXXXXX";
		dir_ = mkdtemp(pattern) ? pattern : "";
	}
	~PythonPeer() { std::filesystem::remove_all(dir_); }
	PythonPeer(const PythonPeer &) = delete;
	PythonPeer &operator=(const PythonPeer &) = delete;

	template <typename T>
	void put(const std::string &name, const std::vector<T> &values)
	{
		const std::vector<double> doubles(values.begin(), values.end());
		std::ofstream(file(name), std::ios::binary)
				.write(reinterpret_cast<const char *>(doubles.data()),
						static_cast<std::streamsize>(
								doubles.size() * sizeof(double)));
	}

	// False, with the script's complaint as a test failure, when it failed.
	bool run(const std::string &script)
	{
		std::ofstream(dir_ + "/peer.py")
				<< "import numpy as np\nimport scipy.signal as signal\n"
				   "def get(n): return np.fromfile(n + '.f64', '<f8')\n"
				   "def put(n, a): np.asarray(a, '<f8').tofile(n + '.f64')\n"
				<< script;
		const std::string command =
				"cd '" + dir_ + "' && /usr/bin/python3 peer.py 2> errors.txt";
		if (std::system(command.c_str()) == 0)
			return true;
		std::ifstream errors(dir_ + "/errors.txt");
		ADD_FAILURE() << "/usr/bin/python3 with numpy and scipy could not run the reference: "
			      << std::string(std::istreambuf_iterator<char>(errors), {});
		return false;
	}

	std::vector<double> get(const std::string &name) const
	{
		std::ifstream in(file(name), std::ios::binary);
		const std::string bytes(std::istreambuf_iterator<char>(in), {});
		std::vector<double> values(bytes.size() / sizeof(double));
		std::copy(bytes.begin(), bytes.begin() + values.size() * sizeof(double),
				reinterpret_cast<char *>(values.data()));
		return values;
	}

private:
	std::string file(const std::string &name) const { return dir_ + "/" + name + ".f64"; }

	std::string dir_;
};

} // namespace kelvra::testing
