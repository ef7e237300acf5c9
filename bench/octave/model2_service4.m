% model2_service4.m: korvexval(4, 2, x, V, h) against model2_plain, a MEX module written directly
% in C making the same pow calls and differences, timed in this one octave-cli process at
% n = p = 2 and n = p = 10. Prints each median time per call and their ratio.
1;

% Each loop calls its module by name: a function handle would add the same interpreter cost to
% both and flatten the ratio.
function t = korvexval_per_call(x, V, h, calls)
  tic;
  for k = 1:calls
    korvexval(4, 2, x, V, h);
  end
  t = toc / calls;
end

function t = plain_per_call(x, V, h, calls)
  tic;
  for k = 1:calls
    model2_plain(4, 2, x, V, h);
  end
  t = toc / calls;
end

addpath(getenv('KORVEX_MEX_DIR'), getenv('KORVEX_BASELINE_DIR'));
rounds = 15;
for n = [2 10]
  x = 0.5 + (0:n - 1)' / n;
  V = reshape(mod((0:n * n - 1) * 37, 201) / 100 - 1, n, n);
  h = 1e-6 * ones(1, n);
  same = isequal(korvexval(4, 2, x, V, h), model2_plain(4, 2, x, V, h));
  calls = round(2e5 / (1 + n + n * (1 + n)));  % about 0.2 s of the baseline per round
  t = zeros(rounds, 2);
  for r = 1:rounds  % interleaved, so a busy moment of the machine hits both
    t(r, 1) = korvexval_per_call(x, V, h, calls);
    t(r, 2) = plain_per_call(x, V, h, calls);
  end
  m = median(t);
  printf('n = p = %2d: korvexval %7.2f us, C MEX %7.2f us per call: %.2fx (results %s)\n', ...
         n, m(1) * 1e6, m(2) * 1e6, m(1) / m(2), {'differ', 'bit for bit equal'}{same + 1});
end
